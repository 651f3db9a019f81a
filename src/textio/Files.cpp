// Rules about the files the tools read and write.
#include "Files.h"

#include "AppError.h"

#include <optional>
#include <string>

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

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = utf8Length(text.substr(at));
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

std::string latin1ToUtf8(std::string_view text) {
    std::string utf8;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (b >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return utf8;
}

// The Latin-1 bytes of valid UTF-8 text holding a character from U+0080 to U+00FF and none
// past it.
std::optional<std::string> utf8ToLatin1(std::string_view text) {
    std::string latin1;
    bool wide = false;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            latin1.push_back(text[at++]);
            continue;
        }
        if (lead != 0xC2 && lead != 0xC3)
            return std::nullopt;
        latin1.push_back(static_cast<char>(((lead & 0x03) << 6) |
                                           (static_cast<unsigned char>(text[at + 1]) & 0x3F)));
        wide = true;
        at += 2;
    }
    if (!wide)
        return std::nullopt;
    return latin1;
}

} // namespace

std::size_t utf8Length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

std::string asUtf8(std::string_view bytes) {
    return isUtf8(bytes) ? std::string(bytes) : latin1ToUtf8(bytes);
}

std::filesystem::path listedFile(std::string_view name, const std::filesystem::path& folder) {
    if (name.empty())
        return {}; // names nothing, wherever it is looked for
    const bool utf8 = isUtf8(name);
    std::filesystem::path first = folder / asUtf8(name);
    std::optional<std::string> other = utf8 ? utf8ToLatin1(name) : std::string(name);
    std::error_code ec;
    if (!other || std::filesystem::exists(first, ec))
        return first;
    std::filesystem::path second = folder / *other;
    return std::filesystem::exists(second, ec) ? second : first;
}

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
