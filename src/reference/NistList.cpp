// Conversion of an atomic line list into a reference-line file.
#include "NistList.h"

#include "textio/AppError.h"
#include "textio/Convert.h"

#include <string_view>

namespace reference {

namespace {

constexpr std::size_t labelLength = 6;
constexpr std::size_t firstScanColumn = 12;
constexpr std::size_t lastScanColumn = 40;
constexpr char separator = '|';
constexpr std::string_view simpleFlags = "bcdgrwfp?ms";

bool emptyOrEndsInBlank(const std::string& t) {
    return t.empty() || t.back() == ' ';
}

// The "l" flag, possibly the second letter of "bl": what is left must still hold a number.
std::string cleanAfterL(std::string t) {
    if (emptyOrEndsInBlank(t))
        return "0";
    if (t.back() != 'b')
        return t;
    t.pop_back();
    return emptyOrEndsInBlank(t) ? std::string("0") : t;
}

} // namespace

std::string cleanIntensity(std::string t) {
    const std::size_t n = t.size();
    // Position n-1 counted from 1 is index n-2.
    std::optional<std::size_t> flagIndex;
    if (n >= 2 && t[n - 2] == '*') {
        t.resize(n - 2);
        if (emptyOrEndsInBlank(t))
            return std::string(1, '0');
        if (n >= 3)
            flagIndex = n - 3;
    } else if (n >= 2) {
        flagIndex = n - 2;
    }
    if (flagIndex && *flagIndex < t.size()) {
        char flag = t[*flagIndex];
        if (flag == 'l')
            t = cleanAfterL(t.substr(0, *flagIndex));
        else if (simpleFlags.find(flag) != std::string_view::npos)
            t.resize(*flagIndex);
    }
    if (t == std::string(7, ' ') || t == std::string(8, ' '))
        return std::string(1, '0');
    return t;
}

std::optional<NistLine> parseNistLine(std::string_view line) {
    NistLine result;
    result.label = std::string(line.substr(0, labelLength));
    if (result.label == std::string(labelLength, ' '))
        return std::nullopt;
    // The scan state starts afresh on every line.
    bool wavelengthClosed = false;
    std::string accumulated;
    for (std::size_t column = firstScanColumn; column <= lastScanColumn; ++column) {
        if (column > line.size())
            break;
        char c = line[column - 1];
        if (c != separator) {
            accumulated += c;
            continue;
        }
        if (!wavelengthClosed) {
            result.wavelength = std::move(accumulated);
            accumulated.clear();
            wavelengthClosed = true;
            continue;
        }
        if (accumulated == std::string(7, ' '))
            return std::nullopt;
        result.intensity = cleanIntensity(std::move(accumulated));
        result.value = textio::strToFloat(result.intensity);
        return result;
    }
    return std::nullopt;
}

std::string nistListLine(int counter, const NistLine& line) {
    return std::to_string(counter)
        .append(" ")
        .append(line.label)
        .append(" ")
        .append(line.wavelength)
        .append(" ")
        .append(line.intensity);
}

std::string nistFileLine(const NistLine& line) {
    return std::string(line.wavelength)
        .append(" ")
        .append(line.intensity)
        .append(" ")
        .append(line.label);
}

int convertNistList(textio::TextReader& in, textio::TextWriter& out, int limit,
                    const std::function<void(const std::string&)>& list) {
    int counter = 1;
    while (!in.eof()) {
        // Nothing past the last scanned column counts, so only that much of a line is kept.
        auto line = parseNistLine(in.readLineStart(lastScanColumn));
        if (!line || !(line->value > limit))
            continue;
        list(nistListLine(counter, *line));
        out.writeLine(nistFileLine(*line));
        ++counter;
    }
    return counter - 1;
}

} // namespace reference
