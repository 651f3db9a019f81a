// Buffered writer for the program's text output files.
#pragma once

#include "NumberText.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace textio {

// The line end written after every output line.
inline constexpr std::string_view lineEnd = "\n";

class TextWriter {
public:
    // Creates the file, replacing the bytes of one that exists; "File access denied" when that is
    // impossible (no permission, a folder of that name, a missing folder).
    static TextWriter create(const std::filesystem::path& path);
    // Fails as `create` would, but leaves an existing file's bytes as they are (a missing file is
    // made empty).
    static void checkCreatable(const std::filesystem::path& path);

    TextWriter(TextWriter&&) noexcept = default;
    TextWriter& operator=(TextWriter&&) noexcept = default;
    ~TextWriter() = default;

    void write(std::string_view text);
    // The value with `decimals` decimals right-aligned in `width` characters, as a field of a
    // data file (see dataField).
    void writeField(double value, int width, int decimals, FieldPlace place);
    void endLine() { write(lineEnd); }
    void writeLine(std::string_view text) {
        write(text);
        endLine();
    }
    // Pushes what is buffered to the file; a failed write raises "Disk full".
    void flush();
    // Flushes and closes; a failure raises "Disk full". Destruction closes without raising.
    void close();

private:
    // Closes a file written over from its start, cut after what was written.
    struct FileCloser {
        void operator()(std::FILE* f) const;
    };
    TextWriter() = default;
    std::unique_ptr<std::FILE, FileCloser> file_;
};

} // namespace textio
