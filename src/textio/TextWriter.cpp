// Buffered writer for the program's text output files.
#include "TextWriter.h"

#include "AppError.h"
#include "Files.h"
#include "NumberText.h"

#include <csignal>

namespace textio {

namespace {

// A file-size limit (ulimit -f) ends the process at the limit with SIGXFSZ; ignored, the write
// fails instead and is reported as a full disk.
void ignoreFileSizeSignal() {
    static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)ignored;
}

} // namespace

namespace {

// Opens the file for writing in the fopen mode given: "File access denied" for a folder of that
// name or a file that cannot be made.
std::FILE* openForWriting(const std::filesystem::path& path, const char* mode) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw AppError(msg::accessDenied);
    std::FILE* f = std::fopen(path.c_str(), mode);
    if (f == nullptr)
        throw AppError(msg::accessDenied);
    return f;
}

} // namespace

TextWriter TextWriter::create(const std::filesystem::path& path) {
    ignoreFileSizeSignal();
    checkDerivedName(path.filename().string());
    std::FILE* f = openForWriting(path, "wb");
    std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
    TextWriter writer;
    writer.file_.reset(f);
    return writer;
}

void TextWriter::checkCreatable(const std::filesystem::path& path) {
    std::fclose(openForWriting(path, "ab"));
}

void TextWriter::write(std::string_view text) {
    if (!file_)
        throw AppError(msg::diskFull);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size())
        throw AppError(msg::diskFull);
}

void TextWriter::writeField(double value, int width, int decimals, FieldPlace place) {
    write(dataField(value, width, decimals, place));
}

void TextWriter::flush() {
    if (!file_ || std::fflush(file_.get()) != 0)
        throw AppError(msg::diskFull);
}

void TextWriter::close() {
    if (!file_)
        return;
    bool ok = std::fflush(file_.get()) == 0 && std::ferror(file_.get()) == 0;
    ok = std::fclose(file_.release()) == 0 && ok;
    if (!ok)
        throw AppError(msg::diskFull);
}

} // namespace textio
