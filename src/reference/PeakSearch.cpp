// Local-maximum search on a spectrum.
#include "PeakSearch.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/NumberText.h"

namespace reference {

namespace {

// y counted from 1.
double at(std::span<const double> y, int i) {
    return y[static_cast<std::size_t>(i - 1)];
}

bool standsAboveNeighbours(std::span<const double> y, int p) {
    const int count = static_cast<int>(y.size());
    if (p - peakNeighbours < 1 || p + peakNeighbours > count)
        return false;
    for (int k = 1; k <= peakNeighbours; ++k)
        if (!(at(y, p - k) < at(y, p) && at(y, p) > at(y, p + k)))
            return false;
    return true;
}

} // namespace

void findPeaks(std::span<const double> x, std::span<const double> y, int n,
               std::vector<double>& runningMean, const std::function<void(const Peak&)>& found) {
    if (n < 0)
        throw textio::AppError("El número de puntos del promedio no puede ser negativo.");
    const int count = static_cast<int>(std::min(x.size(), y.size()));
    const int last = count - n;
    runningMean.assign(static_cast<std::size_t>(std::max(0, last)) + 1, 0.0);
    for (int i = 1; i <= last; ++i) {
        double sum = 0;
        for (int k = i + 1; k <= i + n; ++k)
            sum += at(y, k);
        runningMean[static_cast<std::size_t>(i)] = textio::divide(sum, n);
        const int p = i - 1;
        if (!(runningMean[static_cast<std::size_t>(i)] < runningMean[static_cast<std::size_t>(p)]))
            continue;
        if (!standsAboveNeighbours(y.first(static_cast<std::size_t>(count)), p))
            continue;
        found(Peak{p, at(x, p), runningMean[static_cast<std::size_t>(p)], at(y, p)});
    }
}

std::string peakListLine(const Peak& peak) {
    return textio::generalFormat(peak.x).append("     ").append(textio::generalFormat(peak.mean));
}

std::string peakFileLine(const Peak& peak) {
    using textio::FieldPlace;
    return textio::dataField(peak.x, 10, 3, FieldPlace::First)
        .append(textio::dataField(peak.mean, 20, 2, FieldPlace::Following))
        .append(textio::dataField(peak.y, 20, 2, FieldPlace::Following));
}

} // namespace reference
