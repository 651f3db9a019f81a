// Local-maximum search on a spectrum: a point is a peak where the forward running mean of n
// intensities falls from it to the next point and it stands strictly above its fifteen
// neighbours on each side. Candidates without fifteen loaded neighbours on both sides are skipped.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace reference {

inline constexpr int peakNeighbours = 15;

struct Peak {
    int index = 0; // 1-based, as the store counts its points
    double x = 0;
    double mean = 0; // mean of the n intensities after the peak
    double y = 0;
};

// x and y hold the points 1..nExp as 0..nExp-1. `runningMean` is resized to nExp - n + 1 entries
// (at least one) and filled: entry i is the mean of y[i+1..i+n] counted from 1, entry 0 is 0.
// Each peak is passed to `found` in spectrum order. n = 0 with points to average raises the
// floating-point error; a negative n is refused.
void findPeaks(std::span<const double> x, std::span<const double> y, int n,
               std::vector<double>& runningMean, const std::function<void(const Peak&)>& found);

// "<x>     <mean>" in general format.
std::string peakListLine(const Peak& peak);
// x in 10:3, the mean in 20:2, y in 20:2.
std::string peakFileLine(const Peak& peak);

} // namespace reference
