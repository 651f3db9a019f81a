// The wavelength-axis correction of the line view and the corrected-spectrum file.
#include "AxisCorrection.h"

#include "textio/Convert.h"
#include "textio/TextWriter.h"

namespace lines {

LinearError chromexError(double cw) {
    using textio::checkedDifference;
    using textio::checkedProduct;
    double linear = checkedDifference(checkedProduct(0.000752303, cw), 0.34035);
    double slope = checkedDifference(linear, checkedProduct(checkedProduct(9.2204e-7, cw), cw));
    return {slope, checkedProduct(-slope, cw)};
}

void correctAxis(store::SpectrumStore& store, LinearError error) {
    if (store.zExpCurrent) {
        for (int i = 1; i <= store.nExp; ++i)
            store.xExp[i] = store.zExp[i];
    } else {
        for (int i = 1; i <= store.nExp; ++i)
            store.zExp[i] = store.xExp[i];
        store.zExpCurrent = true;
    }
    using textio::checkedDifference;
    using textio::checkedProduct;
    using textio::checkedSum;
    for (int i = 1; i <= store.nExp; ++i) {
        double x = store.xExp[i];
        store.xExp[i] =
            checkedDifference(x, checkedSum(checkedProduct(error.slope, x), error.intercept));
    }
}

void writeCorrectedSpectrum(const std::filesystem::path& path, const store::SpectrumStore& store) {
    auto out = textio::TextWriter::create(path);
    for (int i = 1; i <= store.nExp; ++i) {
        out.writeField(store.xExp[i], 10, 2, textio::FieldPlace::First);
        out.writeField(store.yExp[i], 10, 2, textio::FieldPlace::Following);
        out.endLine();
    }
    out.close();
}

} // namespace lines
