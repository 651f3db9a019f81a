// Sampled Gaussian line profiles: a half profile sampled every 0.036 nm from the centre until
// the first value not above 0.01, mirrored into a full profile with its peak value 1 in the
// middle, and its listing.
#pragma once

#include "textio/OneBased.h"

#include <functional>
#include <string>

namespace reference {

inline constexpr double profileSampleStep = 0.036;
inline constexpr int profileCapacity = 500;
// The mirroring uses positions up to twice the half profile.
inline constexpr int halfProfileCapacity = profileCapacity / 2;

struct GaussProfile {
    double sigma = 0;      // standard deviation in nm, half the line width
    double sampleStep = 0; // distance between samples in nm
    int profileCount = 0;  // values in `profile`
    double profileCentre = 0;
    textio::OneBased<double, profileCapacity> profile;
    int halfCount = 0; // n: the peak stands at position n
    double lastX = 0;  // abscissa of the last half value computed
};

// Fills `g` for the line width (nm) and centre. Width, step and centre are set first; then a
// zero width raises the floating-point error, and a width whose profile would not fit the table
// is refused before the values change.
void computeProfile(double width, double centre, GaussProfile& g);

// The abscissa of full-profile sample k: the centre plus (k - n) steps.
double sampleAbscissa(const GaussProfile& g, int k);

// The listing: "Ancho de rendija = ...", "Resolucion  = ...  NumDat Gauss  = ...", then one
// "i = ...  x = ...  Gaus = ..." line per value, each with the abscissa of its own sample.
void listProfile(const GaussProfile& g, const std::function<void(const std::string&)>& list);

} // namespace reference
