// The cursor read-out texts and the peak file of the line view.
#include "PeakList.h"

#include "textio/NumberText.h"
#include "textio/TextWriter.h"

namespace lines {

std::string peakText(double x, double y) {
    return textio::formatNumber("%8.2f", x) + ", " + textio::formatNumber("%8.0f", y);
}

std::string cursorText(double x, double y) {
    return std::string("(").append(peakText(x, y)).append(")");
}

void writePeaks(const std::filesystem::path& path, std::span<const double> x,
                std::span<const double> y) {
    auto out = textio::TextWriter::create(path);
    for (std::size_t j = 0; j < x.size() && j < y.size(); ++j) {
        out.writeField(x[j], 10, 2, textio::FieldPlace::First);
        out.writeField(y[j], 10, 0, textio::FieldPlace::Following);
        out.endLine();
    }
    out.close();
}

} // namespace lines
