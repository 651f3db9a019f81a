// Buffered writer for the program's text output files.
#include "TextWriter.h"

#include "AppError.h"
#include "NumberText.h"

namespace textio {

TextWriter TextWriter::create(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw AppError(msg::accessDenied);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        throw AppError(msg::accessDenied);
    std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
    TextWriter writer;
    writer.file_.reset(f);
    return writer;
}

void TextWriter::write(std::string_view text) {
    if (!file_)
        throw AppError(msg::diskFull);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size())
        throw AppError(msg::diskFull);
}

void TextWriter::writeFixed(double value, int width, int decimals) {
    write(fixedField(value, width, decimals));
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
