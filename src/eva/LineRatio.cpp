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

double backgroundCorrectedRatio(double a, double b, double background) {
    return std::fabs(textio::divide(a - background, b - background));
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
