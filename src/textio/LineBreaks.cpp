// Where lines end in a text.
#include "LineBreaks.h"

#include "TextScan.h"

#include "AppError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace textio {

const char* findLineBreak(const char* p, const char* end) {
    // The library's search for one character is faster than any loop looking for two: the LF
    // first, then a CR before it.
    const auto* lf =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* limit = lf != nullptr ? lf : end;
    const auto* cr =
        static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(limit - p)));
    return cr != nullptr ? cr : lf;
}

namespace {

std::uint64_t countByte(std::string_view bytes, char c) {
    std::uint64_t count = 0;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while ((p = static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p))))) {
        ++count;
        ++p;
    }
    return count;
}

// Reads up to `room` bytes at `offset`, fewer only where the file ends.
std::size_t readAt(int fd, char* into, std::size_t room, std::uint64_t offset) {
    std::size_t got = 0;
    while (got < room) {
        ssize_t n = ::pread(fd, into + got, room - got, static_cast<off_t>(offset + got));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw AppError("No se pudo leer el archivo de imagen");
        }
        got += static_cast<std::size_t>(n);
    }
    return got;
}

} // namespace

std::uint64_t countLineEnds(std::string_view bytes, int next) {
    std::uint64_t ends = countByte(bytes, '\n');
    // A CR ends a line of its own unless a LF follows it.
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (
        (p = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p))))) {
        int after = p + 1 < end ? static_cast<unsigned char>(p[1]) : next;
        if (after != '\n')
            ++ends;
        ++p;
    }
    return ends;
}

BlockLineEnds countFileLineEnds(int fd, std::uint64_t from, std::uint64_t to, std::size_t block,
                                std::uint64_t enough, const std::atomic<bool>* stop) {
    BlockLineEnds result;
    result.from = from;
    result.block = block;
    auto buffer = std::make_unique_for_overwrite<char[]>(block + 1);
    std::uint64_t total = 0;
    for (std::uint64_t at = from; at < to && total < enough; at += block) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed))
            break;
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(block, to - at));
        std::size_t got = readAt(fd, buffer.get(), want + 1, at);
        std::size_t text = std::min(got, want);
        int next = got > want ? static_cast<unsigned char>(buffer[want]) : -1;
        if (got < want)
            result.textEnded = true;
        if (const void* z = std::memchr(buffer.get(), ctrlZ, std::min(got, want + 1))) {
            text = static_cast<std::size_t>(static_cast<const char*>(z) - buffer.get());
            next = -1;
            result.textEnded = true;
        }
        std::uint64_t ends = countLineEnds(std::string_view(buffer.get(), text), next);
        result.ends.push_back(ends);
        result.scanned += text;
        total += ends;
        if (result.textEnded)
            break;
    }
    return result;
}

std::uint64_t lineAt(std::string_view text, std::uint64_t offset) {
    offset = std::min<std::uint64_t>(offset, text.size());
    int at = offset < text.size() ? static_cast<unsigned char>(text[offset]) : -1;
    return 1 + countLineEnds(text.substr(0, offset), at);
}

std::optional<std::uint64_t> lineAt(int fd, std::uint64_t offset) {
    try {
        BlockLineEnds before = countFileLineEnds(fd, 0, offset, lineScanBlock, UINT64_MAX, nullptr);
        std::uint64_t line = 1;
        for (std::uint64_t ends : before.ends)
            line += ends;
        return line;
    } catch (const AppError&) {
        return std::nullopt;
    }
}

} // namespace textio
