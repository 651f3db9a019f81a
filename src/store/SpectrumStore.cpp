// Readers of the experimental spectrum and reference-line files.
#include "SpectrumStore.h"

#include "textio/NumberText.h"

namespace store {

namespace {

struct Bounds {
    double& xMax;
    double& xMin;
    double& yMax;
    double& yMin;

    void reset() {
        xMax = 0;
        yMax = 0;
        xMin = initialMinimum;
        yMin = initialMinimum;
    }
    void widen(double x, double y) {
        if (x < xMin)
            xMin = x;
        if (x > xMax)
            xMax = x;
        if (y < yMin)
            yMin = y;
        if (y > yMax)
            yMax = y;
    }
};

} // namespace

std::string experimentalListLine(double x, double y) {
    return textio::generalFormat(x) + "     " + textio::generalFormat(y);
}

std::string referenceListLine(double x, double y, std::string_view label) {
    return experimentalListLine(x, y) + "  " + std::string(label);
}

ReadOutcome readExperimental(textio::TextReader& in, SpectrumStore& store, const ListSink& list) {
    Bounds bounds{store.xExpMax, store.xExpMin, store.yExpMax, store.yExpMin};
    bounds.reset();
    store.zExpCurrent = false;
    int i = 1;
    while (!in.eof()) {
        if (i > experimentalCapacity) {
            store.nExp = experimentalCapacity;
            store.hayExp = true;
            return {experimentalCapacity, true};
        }
        store.xExp[i] = in.readReal();
        store.yExp[i] = in.readReal();
        in.skipLine();
        list(experimentalListLine(store.xExp[i], store.yExp[i]));
        bounds.widen(store.xExp[i], store.yExp[i]);
        ++i;
    }
    store.nExp = i - 1;
    store.hayExp = true;
    return {i - 1, false};
}

ReadOutcome readReference(textio::TextReader& in, SpectrumStore& store, const ListSink& list) {
    Bounds bounds{store.xRefMax, store.xRefMin, store.yRefMax, store.yRefMin};
    bounds.reset();
    int i = 1;
    while (!in.eof()) {
        if (i > referenceCapacity) {
            store.nRef = referenceCapacity;
            return {referenceCapacity, true};
        }
        store.xRef[i] = in.readReal();
        store.yRef[i] = in.readReal();
        store.ionRef[i] = in.readChars(labelLength);
        in.skipLine();
        store.xRef[i] = store.xRef[i] / 10;
        list(referenceListLine(store.xRef[i], store.yRef[i], store.ionRef[i]));
        bounds.widen(store.xRef[i], store.yRef[i]);
        ++i;
    }
    store.nRef = i - 1;
    return {i - 1, false};
}

} // namespace store
