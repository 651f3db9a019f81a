// Line-intensity ratios of a spectrum and the inputs of a ratio run.
#include "LineRatio.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <cmath>
#include <string>
#include <utility>

namespace eva {

ListRead<SequenceEntry> readSequence(textio::TextReader& in) {
    ListRead<SequenceEntry> read;
    while (!in.eof()) {
        if (static_cast<int>(read.entries.size()) == sequenceCapacity) {
            read.truncated = true;
            break;
        }
        SequenceEntry entry;
        entry.sequenceNumber = in.readInteger();
        entry.fibre = in.readInteger();
        in.skipLine();
        read.entries.push_back(entry);
    }
    return read;
}

ListRead<std::string> readFileList(textio::TextReader& in) {
    ListRead<std::string> read;
    std::size_t used = 0;
    while (!in.eof()) {
        if (static_cast<int>(read.entries.size()) == fileListCapacity) {
            read.truncated = true;
            break;
        }
        auto line = in.readLineUpTo(fileListBytes - used);
        if (!line)
            throw textio::AppError("La lista de archivos pasa de " +
                                   std::to_string(fileListBytes >> 20) + " MB en la línea " +
                                   std::to_string(read.entries.size() + 1) +
                                   "; no es una lista de nombres de archivo.");
        used += line->size();
        read.entries.push_back(std::move(*line));
    }
    return read;
}

std::optional<std::size_t> firstAtOrBeyond(const SpectrumView& s, double lambda) {
    for (std::size_t k = 0; k < s.x.size(); ++k)
        if (s.x[k] >= lambda)
            return k;
    return std::nullopt;
}

std::optional<double> backgroundNear(const SpectrumView& s, double lambda) {
    auto k = firstAtOrBeyond(s, lambda);
    if (!k)
        return std::nullopt;
    std::size_t from = *k + 1;
    std::size_t to = std::min(s.y.size(), *k + 11);
    if (from >= to)
        return std::nullopt;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += s.y[i];
    return sum / static_cast<double>(to - from);
}

std::optional<double> climbToPeak(const SpectrumView& s, double lambda) {
    auto start = firstAtOrBeyond(s, lambda);
    if (!start)
        return std::nullopt;
    const std::size_t last = s.y.size() - 1;
    std::size_t k = *start;
    auto risesRight = [&](std::size_t i) {
        return i < last && s.y[i] < s.y[i + 1] && (i == 0 || s.y[i - 1] < s.y[i]);
    };
    auto risesLeft = [&](std::size_t i) {
        return i > 0 && s.y[i] < s.y[i - 1] && (i == last || s.y[i + 1] < s.y[i]);
    };
    if (risesRight(k)) {
        while (risesRight(k))
            ++k;
    } else {
        while (risesLeft(k))
            --k;
    }
    return s.y[k];
}

namespace {
double ratio(double a, double b, double background) {
    return std::fabs(textio::divide(a - background, b - background));
}
} // namespace

void computeRatios(const SpectrumView& s, const RatioWavelengths& lambda, RatioState& state) {
    if (auto b = backgroundNear(s, lambda.background))
        state.background = *b;
    if (auto v = climbToPeak(s, lambda.line1))
        state.intensityLine1 = *v;
    if (auto v = climbToPeak(s, lambda.ref1))
        state.intensityRef1 = *v;
    if (auto v = climbToPeak(s, lambda.ar))
        state.intensityAr = *v;
    double b = state.background;
    state.ratioR1 = ratio(state.intensityLine1, state.intensityRef1, b);
    state.ratioArLine1 = ratio(state.intensityAr, state.intensityLine1, b);
    state.ratioArRef1 = ratio(state.intensityAr, state.intensityRef1, b);
}

std::string resultLine(int fibre, const RatioState& state) {
    const char* gap = "     ";
    return std::to_string(fibre)
        .append(gap)
        .append(textio::formatNumber("%8.4f", state.ratioR1))
        .append(gap)
        .append(textio::formatNumber("%8.4f", state.ratioArLine1))
        .append(gap)
        .append(textio::formatNumber("%8.4f", state.ratioArRef1))
        .append(gap)
        .append(textio::formatNumber("%8.4f", state.intensityAr));
}

std::string resultListLine(const std::string& file, int fibre, const RatioState& state) {
    return std::string(file)
        .append("     ")
        .append(std::to_string(fibre))
        .append("     ")
        .append(textio::formatNumber("%8.4f", state.ratioR1));
}

} // namespace eva
