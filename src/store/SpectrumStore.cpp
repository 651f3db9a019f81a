// Readers of the experimental spectrum and reference-line files.
#include "SpectrumStore.h"

#include "textio/NumberText.h"

namespace store {

namespace {

void setExperimentalBounds(SpectrumStore& store, const Bounds& b) {
    store.xExpMax = b.xMax;
    store.xExpMin = b.xMin;
    store.yExpMax = b.yMax;
    store.yExpMin = b.yMin;
}

void setReferenceBounds(SpectrumStore& store, const Bounds& b) {
    store.xRefMax = b.xMax;
    store.xRefMin = b.xMin;
    store.yRefMax = b.yMax;
    store.yRefMin = b.yMin;
}

// x, y, then the rest of the line; x is stored before y is read.
void readExperimentalRecord(textio::TextReader& in, double& x, double& y) {
    x = in.readReal();
    y = in.readReal();
    in.skipLine();
}

// x, y, the label from the character that ended y, the rest of the line; then x in nm.
void readReferenceRecord(textio::TextReader& in, double& x, double& y, std::string& label) {
    x = in.readReal();
    y = in.readReal();
    label = in.readChars(labelLength);
    in.skipLine();
    x = x / 10;
}

} // namespace

void Bounds::widen(double x, double y) {
    if (x < xMin)
        xMin = x;
    if (x > xMax)
        xMax = x;
    if (y < yMin)
        yMin = y;
    if (y > yMax)
        yMax = y;
}

std::string experimentalListLine(double x, double y) {
    return textio::generalFormat(x) + "     " + textio::generalFormat(y);
}

std::string referenceListLine(double x, double y, std::string_view label) {
    return experimentalListLine(x, y) + "  " + std::string(label);
}

ReadOutcome readExperimental(textio::TextReader& in, SpectrumStore& store, const ListSink& list) {
    Bounds bounds;
    setExperimentalBounds(store, bounds);
    store.zExpCurrent = false;
    int i = 1;
    while (!in.eof()) {
        if (i > experimentalCapacity) {
            store.nExp = experimentalCapacity;
            store.hayExp = true;
            return {experimentalCapacity, true};
        }
        readExperimentalRecord(in, store.xExp[i], store.yExp[i]);
        list(experimentalListLine(store.xExp[i], store.yExp[i]));
        bounds.widen(store.xExp[i], store.yExp[i]);
        setExperimentalBounds(store, bounds);
        ++i;
    }
    store.nExp = i - 1;
    store.hayExp = true;
    return {i - 1, false};
}

ReadOutcome readReference(textio::TextReader& in, SpectrumStore& store, const ListSink& list) {
    Bounds bounds;
    setReferenceBounds(store, bounds);
    int i = 1;
    while (!in.eof()) {
        if (i > referenceCapacity) {
            store.nRef = referenceCapacity;
            return {referenceCapacity, true};
        }
        readReferenceRecord(in, store.xRef[i], store.yRef[i], store.ionRef[i]);
        list(referenceListLine(store.xRef[i], store.yRef[i], store.ionRef[i]));
        bounds.widen(store.xRef[i], store.yRef[i]);
        setReferenceBounds(store, bounds);
        ++i;
    }
    store.nRef = i - 1;
    return {i - 1, false};
}

WholeFile readWholeExperimental(textio::TextReader& in) {
    WholeFile file;
    while (!in.eof()) {
        double x = 0;
        double y = 0;
        readExperimentalRecord(in, x, y);
        file.x.push_back(x);
        file.y.push_back(y);
        file.bounds.widen(x, y);
    }
    return file;
}

WholeFile readWholeReference(textio::TextReader& in) {
    WholeFile file;
    while (!in.eof()) {
        double x = 0;
        double y = 0;
        std::string label;
        readReferenceRecord(in, x, y, label);
        file.x.push_back(x);
        file.y.push_back(y);
        file.labels.push_back(std::move(label));
        file.bounds.widen(x, y);
    }
    return file;
}

} // namespace store
