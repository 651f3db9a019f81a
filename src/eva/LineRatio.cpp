// Line-intensity ratios of a spectrum and the inputs of a ratio run.
#include "LineRatio.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <cmath>
#include <string>
#include <utility>

namespace eva {

ListRead<SequenceEntry> readSequence(textio::TextReader& in, std::size_t capacity) {
    ListRead<SequenceEntry> read;
    while (!in.eof()) {
        if (read.entries.size() == capacity) {
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

ListRead<std::string> readFileList(textio::TextReader& in, std::size_t capacity) {
    ListRead<std::string> read;
    std::size_t used = 0;
    while (!in.eof()) {
        if (read.entries.size() == capacity) {
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

double backgroundCorrectedRatio(double a, double b, double background) {
    return std::fabs(textio::divide(a - background, b - background));
}

void applyFindings(const RatioFindings& found, RatioState& state) {
    state.background = found.background.value_or(state.background);
    state.intensityLine1 = found.intensityLine1.value_or(state.intensityLine1);
    state.intensityRef1 = found.intensityRef1.value_or(state.intensityRef1);
    state.intensityAr = found.intensityAr.value_or(state.intensityAr);
    if (found.failure)
        std::rethrow_exception(found.failure);
    double b = state.background;
    state.ratioR1 = backgroundCorrectedRatio(state.intensityLine1, state.intensityRef1, b);
    state.ratioArLine1 = backgroundCorrectedRatio(state.intensityAr, state.intensityLine1, b);
    state.ratioArRef1 = backgroundCorrectedRatio(state.intensityAr, state.intensityRef1, b);
}

std::string resultLine(int fibre, const RatioState& state) {
    const char* gap = "     ";
    return std::to_string(fibre)
        .append(gap)
        .append(textio::fixedField(state.ratioR1, 8, 4))
        .append(gap)
        .append(textio::fixedField(state.ratioArLine1, 8, 4))
        .append(gap)
        .append(textio::fixedField(state.ratioArRef1, 8, 4))
        .append(gap)
        .append(textio::fixedField(state.intensityAr, 8, 4));
}

std::string resultListLine(const std::string& file, int fibre, const RatioState& state) {
    return std::string(file)
        .append("     ")
        .append(std::to_string(fibre))
        .append("     ")
        .append(textio::fixedField(state.ratioR1, 8, 4));
}

} // namespace eva
