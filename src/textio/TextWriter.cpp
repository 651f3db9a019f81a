// Buffered writer for the program's text output files.
#include "TextWriter.h"

#include "AppError.h"
#include "Files.h"
#include "NumberText.h"

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

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

bool isRegularFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Cuts a regular file after the bytes written to it (flushed); false when that fails.
bool cutToWritten(std::FILE* f) {
    struct stat info {};
    off_t written = ::ftello(f);
    if (::fstat(::fileno(f), &info) != 0 || !S_ISREG(info.st_mode) || written < 0 ||
        written >= info.st_size)
        return true;
    return ::ftruncate(::fileno(f), written) == 0;
}

} // namespace

// A file that exists is written over from its start and cut to what was written when it is
// closed, rather than emptied first: emptying a file and writing it again makes the file system
// flush it at close, which costs milliseconds for every rewritten "temp.dat".
void TextWriter::FileCloser::operator()(std::FILE* f) const {
    std::fflush(f);
    cutToWritten(f);
    std::fclose(f);
}

TextWriter TextWriter::create(const std::filesystem::path& path) {
    ignoreFileSizeSignal();
    checkDerivedName(path.filename().string());
    std::FILE* f = nullptr;
    if (isRegularFile(path))
        f = std::fopen(path.c_str(), "r+b");
    if (f == nullptr)
        f = openForWriting(path, "wb");
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
    std::FILE* f = file_.get();
    bool ok = std::fflush(f) == 0 && std::ferror(f) == 0 && cutToWritten(f);
    ok = std::fclose(file_.release()) == 0 && ok;
    if (!ok)
        throw AppError(msg::diskFull);
}

} // namespace textio
