// The identification of a spectrum and its two written forms.
#include "Identify.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace identify {

namespace {

// Ions are scored within this many fit RMS of their lines, kept within the tolerance and not
// below this fraction of it: chance coincidences of absent ions fall with the window.
constexpr double scoringRms = 5;
constexpr double scoringFloor = 1.0 / 20;

template <class... Args> std::string printed(const char* pattern, Args... args) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

std::pair<double, double> correctedRange(std::span<const double> x, lines::LinearError e) {
    if (x.empty())
        return {0, 0};
    const auto [low, high] = std::minmax_element(x.begin(), x.end());
    const double a = lines::correctedWavelength(e, *low);
    const double b = lines::correctedWavelength(e, *high);
    return {std::min(a, b), std::max(a, b)};
}

// The length of the well-formed UTF-8 sequence of two to four bytes that starts `text`, or 0.
std::size_t utf8Length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t n = lead >= 0xf0 && lead < 0xf5 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 0;
    if (n == 0 || text.size() < n)
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(text[k]) & 0xc0) != 0x80)
            return 0;
    return n;
}

void writePeakJson(std::ostream& out, const IdentifiedPeak& p) {
    out << "    {\"wavelength\": " << jsonNumber(p.peak.wavelength)
        << ", \"intensity\": " << jsonNumber(p.peak.intensity)
        << ", \"prominence\": " << jsonNumber(p.peak.prominence) << ", \"candidates\": [";
    for (std::size_t k = 0; k < p.candidates.size(); ++k) {
        const Candidate& c = p.candidates[k];
        out << (k == 0 ? "" : ", ") << "{\"label\": " << jsonString(c.line->label)
            << ", \"wavelength\": " << jsonNumber(c.line->wavelength)
            << ", \"intensity\": " << jsonNumber(c.line->intensity)
            << ", \"delta\": " << jsonNumber(c.delta) << "}";
    }
    out << "]}";
}

} // namespace

Result identifySpectrum(std::span<const double> x, std::span<const double> y,
                        std::span<const ReferenceLine> lines,
                        const std::optional<std::vector<Peak>>& givenPeaks,
                        const Options& options) {
    Result result;
    result.noise = estimateNoise(y);
    std::vector<Peak> peaks = givenPeaks ? *givenPeaks : findPeaks(x, y, options.threshold);
    std::stable_sort(peaks.begin(), peaks.end(),
                     [](const Peak& a, const Peak& b) { return a.wavelength < b.wavelength; });
    result.correction = {0, options.shift};
    double scoringTolerance = options.tolerance;
    if (options.fitAxis) {
        const auto fit = fitAxis(peaks, lines, options.tolerance, result.correction,
                                 options.searchTolerances * options.tolerance);
        if (fit) {
            result.fit = fit->fit;
            result.correction = fit->fit.error;
            scoringTolerance = std::clamp(scoringRms * fit->fit.rms,
                                          scoringFloor * options.tolerance, options.tolerance);
        }
    }
    for (Peak& p : peaks)
        p.wavelength = lines::correctedWavelength(result.correction, p.wavelength);
    for (const Peak& p : peaks)
        result.peaks.push_back({p, candidatesOf(p.wavelength, lines, options.tolerance)});
    const auto [low, high] = correctedRange(x, result.correction);
    result.ions = rankIons(peaks, lines, scoringTolerance, low, high, options.ranking);
    return result;
}

void writeTable(std::ostream& out, const Result& result) {
    out << "pico\tlongitud_nm\tintensidad\tprominencia\tion\tlinea_nm\tintensidad_linea\t"
           "delta_nm\n";
    int number = 0;
    for (const IdentifiedPeak& p : result.peaks) {
        ++number;
        const std::string peak =
            std::to_string(number) + "\t" + printed("%.4f", p.peak.wavelength) + "\t" +
            printed("%.6g", p.peak.intensity) + "\t" + printed("%.1f", p.peak.prominence);
        if (p.candidates.empty())
            out << peak << "\t\t\t\t\n";
        for (const Candidate& c : p.candidates)
            out << peak << "\t" << c.line->label << "\t" << printed("%.4f", c.line->wavelength)
                << "\t" << printed("%.6g", c.line->intensity) << "\t"
                << printed("%+.4f", std::round(c.delta * 1e4) / 1e4 + 0.0) << "\n";
    }
}

void writeJson(std::ostream& out, const Result& result) {
    out << "{\n  \"peaks\": [";
    for (std::size_t i = 0; i < result.peaks.size(); ++i) {
        out << (i == 0 ? "\n" : ",\n");
        writePeakJson(out, result.peaks[i]);
    }
    out << (result.peaks.empty() ? "],\n" : "\n  ],\n") << "  \"ions\": [";
    for (std::size_t i = 0; i < result.ions.size(); ++i) {
        const IonScore& s = result.ions[i];
        out << (i == 0 ? "\n" : ",\n") << "    {\"label\": " << jsonString(s.label)
            << ", \"score\": " << jsonNumber(s.score)
            << ", \"present\": " << (s.present ? "true" : "false") << ", \"matched\": " << s.matched
            << ", \"expected\": " << s.expected << "}";
    }
    out << (result.ions.empty() ? "]" : "\n  ]");
    if (result.fit)
        out << ",\n  \"fit\": {\"slope\": " << jsonNumber(result.fit->error.slope)
            << ", \"intercept\": " << jsonNumber(result.fit->error.intercept)
            << ", \"rms\": " << jsonNumber(result.fit->rms) << ", \"lines\": " << result.fit->lines
            << "}";
    out << "\n}\n";
}

std::string jsonNumber(double v) {
    if (!std::isfinite(v))
        return "null";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end);
}

std::string jsonString(std::string_view text) {
    std::string s = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char ch = text[i];
        const auto c = static_cast<unsigned char>(ch);
        if (const std::size_t n = utf8Length(text.substr(i)); c >= 0x80 && n > 0) {
            s += text.substr(i, n);
            i += n;
            continue;
        }
        if (ch == '"' || ch == '\\')
            s += {'\\', ch};
        else if (c < 0x20 || c >= 0x7f)
            // Control characters, and bytes that are no UTF-8 read as Latin-1.
            s += printed("\\u%04x", static_cast<unsigned>(c));
        else
            s += ch;
        ++i;
    }
    return s + "\"";
}

} // namespace identify
