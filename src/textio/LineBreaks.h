// Where lines end in a text: the one scanner behind every line skipper of the program, and the
// count of line ends in a region of a file, block by block.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace textio {

// The first LF or CR in [p, end), or nullptr. A line ends at LF, at CR LF or at a lone CR; the
// caller looks at the character found (and the one after a CR) to tell which.
const char* findLineBreak(const char* p, const char* end);

// The line ends in `bytes`, each counted at its last character (the LF of a CR LF, a lone CR);
// `next` is the byte that follows them, or -1 when the text ends there.
std::uint64_t countLineEnds(std::string_view bytes, int next);

// The line ends of the bytes [from, to) of an open file, read with pread in blocks of `block`
// bytes, counted by countLineEnds (the byte after a block is read with it). The text ends at
// the first Ctrl-Z or where the file ends, which may be before `to`.
struct BlockLineEnds {
    std::uint64_t from = 0;
    std::size_t block = 0;
    std::vector<std::uint64_t> ends; // per block, in order
    std::uint64_t scanned = 0;       // bytes of text counted (up to a Ctrl-Z or the file's end)
    bool textEnded = false;          // a Ctrl-Z or the file's end came before `to`
};

// The block in which a file's line ends are counted: large enough to amortise a read, small
// enough to stay in the processor's cache.
inline constexpr std::size_t lineScanBlock = std::size_t{256} << 10;

// Stops early, after a whole block, once `enough` line ends are counted or `stop` is set. A
// failing read raises "No se pudo leer el archivo de imagen".
BlockLineEnds countFileLineEnds(int fd, std::uint64_t from, std::uint64_t to, std::size_t block,
                                std::uint64_t enough, const std::atomic<bool>* stop);

// The line (counted from 1) that holds the byte at `offset` of a text: the line a reader was
// reading when it stopped after that byte, for a message.
std::uint64_t lineAt(std::string_view text, std::uint64_t offset);
// The same for an open file, read again from its start; nothing when it cannot be read.
std::optional<std::uint64_t> lineAt(int fd, std::uint64_t offset);

} // namespace textio
