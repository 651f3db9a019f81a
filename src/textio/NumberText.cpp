// Number-to-text conversions of the program.
#include "NumberText.h"

#include "Convert.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace textio {

namespace {

std::string nonFinite(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string padLeft(std::string text, int width) {
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

} // namespace

std::string generalFormat(double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    if (value == 0.0)
        return "0";
    // 15 significant digits in scientific form: "-d.dddddddddddddde-XX".
    std::array<char, 64> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                             std::chars_format::scientific, 14);
    std::string_view sci(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    bool negative = sci.front() == '-';
    if (negative)
        sci.remove_prefix(1);
    auto ePos = sci.find('e');
    int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (c != '.')
            digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent >= 0) {
            auto intLen = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intLen) {
                out.append(digits).append(intLen - digits.size(), '0');
            } else {
                out.append(digits, 0, intLen).append(1, '.').append(digits, intLen);
            }
        } else {
            out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
        }
        return out;
    }
    out.append(digits, 0, 1);
    if (digits.size() > 1)
        out.append(1, '.').append(digits, 1);
    out.append(1, 'E').append(std::to_string(exponent));
    return out;
}

std::string fixedField(double value, int width, int decimals) {
    if (!std::isfinite(value))
        return padLeft(nonFinite(value), width);
    if (value == 0.0)
        value = 0.0; // no "-0.00"
    decimals = std::max(0, std::min(decimals, 60));
    std::string buf(400 + static_cast<std::size_t>(decimals), '\0');
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed,
                             decimals);
    buf.resize(static_cast<std::size_t>(res.ptr - buf.data()));
    return padLeft(std::move(buf), width);
}

std::string dataField(double value, int width, int decimals, FieldPlace place) {
    std::string field = fixedField(checked(value), width, decimals);
    if (place == FieldPlace::Following && (field.empty() || field.front() != ' '))
        field.insert(0, 1, ' ');
    return field;
}

std::string integerText(std::int64_t value) {
    return std::to_string(value);
}

std::string integerField(std::int64_t value, int width, int minDigits) {
    std::string digits = std::to_string(value < 0 ? -static_cast<std::uint64_t>(value)
                                                  : static_cast<std::uint64_t>(value));
    if (minDigits > 0 && digits.size() < static_cast<std::size_t>(minDigits))
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    if (value < 0)
        digits.insert(0, 1, '-');
    return padLeft(std::move(digits), width);
}

} // namespace textio
