// Rules about the files the tools read and write.
#include "Files.h"

#include "AppError.h"

namespace textio {

namespace {
// The longest file name (without folder) the file systems in use take, in bytes.
constexpr std::size_t maxNameLength = 255;

bool continuesCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80; // UTF-8 10xxxxxx
}

// The start of the character at byte `at` of UTF-8 text (the end for `at` past it).
std::size_t startOfCharacter(std::string_view text, std::size_t at) {
    if (at >= text.size())
        return text.size();
    while (at > 0 && continuesCharacter(text[at]))
        --at;
    return at;
}
} // namespace

void checkInputFile(const std::filesystem::path& path) {
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        throw AppError(msg::fileNotFound);
    if (std::filesystem::is_directory(status))
        throw AppError(msg::accessDenied);
    if (!std::filesystem::is_regular_file(status))
        throw AppError("\"" + path.filename().string() +
                       "\" no es un archivo de datos (es una tubería, un dispositivo o un "
                       "socket); no se lee.");
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

void ensureDistinct(const std::filesystem::path& input, const std::filesystem::path& output) {
    if (sameFile(input, output))
        throw AppError("El archivo de salida " + output.filename().string() +
                       " es el mismo archivo de entrada; no se sobrescribe.");
}

void ensureDistinct(std::span<const std::filesystem::path> inputs,
                    const std::filesystem::path& output) {
    for (const auto& input : inputs)
        ensureDistinct(input, output);
}

void ensureDistinct(std::initializer_list<std::filesystem::path> inputs,
                    const std::filesystem::path& output) {
    ensureDistinct(std::span(inputs.begin(), inputs.size()), output);
}

std::string withoutLastFour(std::string_view name) {
    std::size_t end = name.size();
    for (int dropped = 0; dropped < 4 && end > 0; ++dropped)
        end = startOfCharacter(name, end - 1);
    return std::string(name.substr(0, end));
}

void checkDerivedName(std::string_view name) {
    if (name.find('/') != std::string_view::npos)
        throw AppError("El nombre \"" + std::string(name) +
                       "\" lleva una barra (/): los archivos de salida se escriben en la carpeta "
                       "de trabajo.");
    if (name.size() > maxNameLength)
        throw AppError("El nombre \"" + std::string(name.substr(0, startOfCharacter(name, 40))) +
                       "...\" es demasiado largo para un archivo (más de " +
                       std::to_string(maxNameLength) + " bytes).");
}

} // namespace textio
