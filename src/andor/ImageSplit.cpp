// Splitting and cropping of camera image files, line by line as text.
#include "ImageSplit.h"

#include "AndorImage.h"
#include "textio/Files.h"

#include <algorithm>
#include <filesystem>

namespace andor {

std::string imageBaseName(std::string_view fileName) {
    return textio::withoutLastFour(std::filesystem::path(fileName).filename().string());
}

std::string splitFileName(std::string_view base, int k) {
    return std::string(base).append("_c").append(std::to_string(k)).append(".asc");
}

std::string cropFileName(std::string_view base, std::string_view frameText) {
    return std::string(base).append("_c").append(frameText).append(".dat");
}

void LineCopier::copyFrame(textio::TextWriter& out, int lines, LineBand band, bool stopAfterBand) {
    // A line goes straight from the reader's buffer to the writer, a piece at a time, so that no
    // line is ever held whole, however long it is; a line outside the band is only passed over.
    const auto write = [&out](std::string_view piece) { out.write(piece); };
    const auto pass = [](std::string_view) {};
    for (int t = 1; t <= lines; ++t) {
        const bool kept = band.contains(t);
        std::string_view lineEnd = kept ? in_.streamLine(write) : in_.streamLine(pass);
        if (!lineEnd.empty())
            lastLineEnd_ = lineEnd;
        if (kept)
            out.write(lastLineEnd_);
        if (stopAfterBand && t > band.last)
            return;
    }
}

void LineCopier::skip(long long count) {
    for (; count > 0 && !in_.eof(); --count)
        in_.skipLine();
}

void splitFrames(textio::TextReader& in, int linesPerFrame, LineBand band,
                 const std::function<textio::TextWriter(int k)>& create,
                 const std::function<void(int count)>& listCount) {
    LineCopier copier(in);
    for (int k = 1; !in.eof(); ++k) {
        listCount(k);
        textio::TextWriter out = create(k);
        copier.copyFrame(out, linesPerFrame, band);
        out.close();
        listCount(k + 1);
    }
}

void cropFrame(textio::TextReader& in, int linesPerFrame, int frame, LineBand band,
               textio::TextWriter& out) {
    LineCopier copier(in);
    if (frame > 1)
        copier.skip(static_cast<long long>(frame - 1) * linesPerFrame);
    copier.copyFrame(out, linesPerFrame, band, true);
}

void ensureSplitKeepsInput(const std::filesystem::path& input, std::string_view base,
                           const std::filesystem::path& folder) {
    const std::string prefix = std::string(base).append("_c");
    std::error_code ec;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, ec);
    for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
        std::string name = entries->path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(".asc"))
            continue;
        std::string_view k(name);
        k = k.substr(prefix.size(), k.size() - prefix.size() - 4);
        if (!k.empty() && std::ranges::all_of(k, [](char c) { return c >= '0' && c <= '9'; }))
            textio::ensureDistinct(input, entries->path());
    }
}

} // namespace andor
