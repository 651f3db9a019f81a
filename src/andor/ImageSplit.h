// Splitting a multi-frame camera image file into one file per frame, and cropping one frame,
// keeping a band of lines of each frame.
//
// Lines are copied as text, without looking at their numbers: a kept line is written byte for
// byte (any length: it passes through in pieces and is never held whole) followed by the line
// end that closed it in the input (LF, CR LF or a lone CR). A line without one (the file's last
// line, or a line past the end of the file, which reads as an empty line) gets the line end the
// file used last, LF when it has used none. Line t of a frame (t = 1 .. L) is kept when
// first <= t <= last; nothing else is written.
#pragma once

#include "textio/TextReader.h"
#include "textio/TextWriter.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace andor {

// The lines of each frame that are kept.
struct LineBand {
    int first = 190;
    int last = 810;
    bool contains(int t) const { return first <= t && t <= last; }
};

// The file name without its folder and without its last four characters (its extension with
// the point); empty for a name of four characters or fewer.
std::string imageBaseName(std::string_view fileName);
// The file of the k-th frame of a split: "<base>_c<k>.asc".
std::string splitFileName(std::string_view base, int k);
// The file of a cropped frame: "<base>_c<frameText>.dat", the frame text as typed.
std::string cropFileName(std::string_view base, std::string_view frameText);

// Copies lines from a reader, remembering the last line end seen.
class LineCopier {
public:
    explicit LineCopier(textio::TextReader& in) : in_(in) {}
    // Reads `lines` lines and writes those in the band; with `stopAfterBand` reading stops after
    // the line just past the band.
    void copyFrame(textio::TextWriter& out, int lines, LineBand band, bool stopAfterBand = false);
    // Skips `count` whole lines, stopping at the end of the file.
    void skip(long long count);

private:
    textio::TextReader& in_;
    std::string lastLineEnd_ = "\n";
};

// While the input is not at its end: `listCount`(k), create the k-th output through `create`,
// copy the band of the next L lines to it (a last frame the file does not complete is written
// all the same), close it, `listCount`(k + 1). The end is tested only before a frame, so the
// counts run 1, 2, 2, 3, 3, ... and an empty input creates nothing.
void splitFrames(textio::TextReader& in, int linesPerFrame, LineBand band,
                 const std::function<textio::TextWriter(int k)>& create,
                 const std::function<void(int count)>& listCount);

// Skips the (frame - 1) * L lines before the frame when frame > 1, then copies the band of the
// frame's lines to `out`, reading no further than the line after the band.
void cropFrame(textio::TextReader& in, int linesPerFrame, int frame, LineBand band,
               textio::TextWriter& out);

// Refuses, before anything is written, a split whose outputs in `folder` would include the input
// file itself (an existing "<base>_c<k>.asc" that is the input under another name or a link).
void ensureSplitKeepsInput(const std::filesystem::path& input, std::string_view base,
                           const std::filesystem::path& folder);

} // namespace andor
