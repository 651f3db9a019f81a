// The peak file of the line view.
#include "PeakList.h"

#include "textio/TextWriter.h"

namespace lines {

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
