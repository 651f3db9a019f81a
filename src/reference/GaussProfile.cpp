// Sampled Gaussian line profiles.
#include "GaussProfile.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <array>
#include <cmath>

namespace reference {

namespace {

constexpr double lowestKept = 0.01;

} // namespace

void computeProfile(double width, double centre, GaussProfile& g) {
    const double sigma = width / 2;
    // Width, step and centre are the profile's before its values are computed: a width that
    // fails below leaves them set.
    g.sigma = sigma;
    g.sampleStep = profileSampleStep;
    g.profileCentre = centre;
    std::array<double, halfProfileCapacity + 1> half{};
    int n = 0;
    double x = centre;
    for (int k = 1;; ++k) {
        if (k > halfProfileCapacity)
            throw textio::AppError("El ancho de línea es demasiado grande: el perfil no cabe en "
                                   "500 valores (ancho máximo unos 5.9 nm).");
        x = centre + (k - 1) * profileSampleStep;
        const double d = x - centre;
        const double g1 = std::exp(textio::divide(-(d * d), 2 * sigma * sigma));
        half[static_cast<std::size_t>(k)] = g1;
        n = k;
        if (!(g1 > lowestKept))
            break;
    }
    g.halfCount = n;
    g.lastX = x;
    for (int k = 1; k <= n; ++k)
        g.profile[k] = half[static_cast<std::size_t>(n - k + 1)];
    for (int k = 1; k <= n - 1; ++k)
        g.profile[n + k] = half[static_cast<std::size_t>(k + 1)];
    g.profileCount = 2 * n - 1;
}

double sampleAbscissa(const GaussProfile& g, int k) {
    return g.profileCentre + (k - g.halfCount) * g.sampleStep;
}

void listProfile(const GaussProfile& g, const std::function<void(const std::string&)>& list) {
    list(std::string("Ancho de rendija = ").append(textio::fixedField(g.sigma, 10, 2)));
    list(std::string("Resolucion  = ")
             .append(textio::fixedField(g.sampleStep, 10, 2))
             .append("  NumDat Gauss  = ")
             .append(textio::integerField(g.profileCount, 10, 2)));
    for (int k = 1; k <= g.profileCount; ++k)
        list(std::string("i =")
                 .append(textio::integerField(k, 10, 2))
                 .append("  x = ")
                 .append(textio::fixedField(sampleAbscissa(g, k), 10, 2))
                 .append("  Gaus = ")
                 .append(textio::fixedField(g.profile[k], 10, 4)));
}

} // namespace reference
