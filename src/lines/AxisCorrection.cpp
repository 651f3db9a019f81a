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
    for (int i = 1; i <= store.nExp; ++i)
        store.xExp[i] = correctedWavelength(error, store.xExp[i]);
}

double correctedWavelength(LinearError error, double x) {
    using textio::checkedDifference;
    using textio::checkedProduct;
    using textio::checkedSum;
    return checkedDifference(x, checkedSum(checkedProduct(error.slope, x), error.intercept));
}

void writeCorrectedSpectrum(const std::filesystem::path& path, const store::SpectrumStore& store) {
    const auto n = static_cast<std::size_t>(store.nExp);
    writeCorrectedSpectrum(path, std::span(store.xExp.data(), n), std::span(store.yExp.data(), n));
}

void writeCorrectedSpectrum(const std::filesystem::path& path, std::span<const double> x,
                            std::span<const double> y) {
    auto out = textio::TextWriter::create(path);
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        out.writeField(x[i], 10, 2, textio::FieldPlace::First);
        out.writeField(y[i], 10, 2, textio::FieldPlace::Following);
        out.endLine();
    }
    out.close();
}

} // namespace lines
