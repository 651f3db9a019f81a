// Number-to-text conversions of the program.
#include "NumberText.h"

#include "Convert.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace textio {

namespace {

std::string nonFinite(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Whole numbers below 10^15 are written exactly by the integer conversion, several times faster
// than the floating one; camera counts are such numbers.
std::optional<std::int64_t> smallWhole(double value) {
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return static_cast<std::int64_t>(value);
    return std::nullopt;
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
    if (auto whole = smallWhole(value))
        return std::to_string(*whole);
    // 15 significant digits in scientific form: "-d.dddddddddddddde-XX", taken apart and put
    // together again in place: this runs for every line a list shows.
    std::array<char, 32> sci{};
    const char* end =
        std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, 14)
            .ptr;
    const char* p = sci.data();
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::array<char, 16> digits{};
    std::size_t count = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits[count++] = *p;
    ++p; // the exponent, after 'e' and its sign
    const bool negativeExponent = *p == '-';
    int exponent = 0;
    std::from_chars(p + 1, end, exponent);
    if (negativeExponent)
        exponent = -exponent;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    std::array<char, 48> out{};
    std::size_t n = 0;
    auto put = [&](const char* from, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i)
            out[n++] = from[i];
    };
    auto putZeros = [&](std::size_t length) {
        for (std::size_t i = 0; i < length; ++i)
            out[n++] = '0';
    };
    if (negative)
        out[n++] = '-';
    if (exponent >= -5 && exponent < 15) {
        if (exponent >= 0) {
            auto intLen = static_cast<std::size_t>(exponent) + 1;
            if (count <= intLen) {
                put(digits.data(), count);
                putZeros(intLen - count);
            } else {
                put(digits.data(), intLen);
                out[n++] = '.';
                put(digits.data() + intLen, count - intLen);
            }
        } else {
            put("0.", 2);
            putZeros(static_cast<std::size_t>(-exponent - 1));
            put(digits.data(), count);
        }
        return {out.data(), n};
    }
    out[n++] = digits[0];
    if (count > 1) {
        out[n++] = '.';
        put(digits.data() + 1, count - 1);
    }
    out[n++] = 'E';
    n = static_cast<std::size_t>(
        std::to_chars(out.data() + n, out.data() + out.size(), exponent).ptr - out.data());
    return {out.data(), n};
}

std::string fixedField(double value, int width, int decimals) {
    if (!std::isfinite(value))
        return padLeft(nonFinite(value), width);
    if (value == 0.0)
        value = 0.0; // no "-0.00"
    decimals = std::max(0, std::min(decimals, 60));
    // The longest double in fixed form has 309 digits before the point.
    std::array<char, 400> buf{};
    char* end = buf.data();
    if (auto whole = smallWhole(value)) {
        end = std::to_chars(end, buf.data() + buf.size(), *whole).ptr;
        if (decimals > 0) {
            *end++ = '.';
            end = std::fill_n(end, decimals, '0');
        }
    } else {
        end = std::to_chars(end, buf.data() + buf.size(), value, std::chars_format::fixed, decimals)
                  .ptr;
    }
    const auto length = static_cast<std::size_t>(end - buf.data());
    std::string field;
    const std::size_t pad = width > 0 && length < static_cast<std::size_t>(width)
                                ? static_cast<std::size_t>(width) - length
                                : 0;
    field.reserve(pad + length + 1);
    field.append(pad, ' ').append(buf.data(), length);
    return field;
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
