// Splitting and cropping of camera image files, line by line as text.
#include "ImageSplit.h"

#include "AndorImage.h"

#include <algorithm>
#include <filesystem>

namespace andor {

std::string imageBaseName(std::string_view fileName) {
    std::string name(std::filesystem::path(fileName).filename().string());
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    return name;
}

std::string splitFileName(std::string_view base, int k) {
    return std::string(base).append("_c").append(std::to_string(k)).append(".asc");
}

std::string cropFileName(std::string_view base, std::string_view frameText) {
    return std::string(base).append("_c").append(frameText).append(".dat");
}

void LineCopier::copyFrame(textio::TextWriter& out, int lines, LineBand band, bool stopAfterBand) {
    std::string lineEnd;
    for (int t = 1; t <= lines; ++t) {
        std::string line = in_.readLine(lineEnd);
        if (!lineEnd.empty())
            lastLineEnd_ = lineEnd;
        if (band.contains(t)) {
            out.write(line);
            out.write(lastLineEnd_);
        }
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
            ensureDistinct(input, entries->path());
    }
}

} // namespace andor
