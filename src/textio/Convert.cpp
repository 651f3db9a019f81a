// Text-to-number conversions, rounding and checked arithmetic.
#include "Convert.h"

#include "AppError.h"
#include "TextReader.h"

#include <charconv>
#include <cmath>
#include <string>

namespace textio {

namespace {

std::string_view trimBlanks(std::string_view s) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

double strToFloat(std::string_view text) {
    try {
        std::string_view body = trimBlanks(text);
        if (!body.empty())
            return parseRealToken(body);
    } catch (const AppError&) {
    }
    throw AppError("'" + visibleText(text) + "' is not a valid floating point value");
}

int strToInt(std::string_view text) {
    std::string_view body = trimBlanks(text);
    bool hadPlus = !body.empty() && body.front() == '+';
    if (hadPlus)
        body.remove_prefix(1);
    int value = 0;
    bool valid = !body.empty() && body.front() != '+' && !(hadPlus && body.front() == '-');
    if (valid) {
        auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
        valid = ec == std::errc() && ptr == body.data() + body.size();
    }
    if (!valid)
        throw AppError("'" + visibleText(text) + "' is not a valid integer value");
    return value;
}

std::int64_t nearest(double v) {
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!std::isfinite(v) || v >= 9223372036854775808.0 || v < -9223372036854775808.0)
        throw AppError(msg::invalidOperation);
    return static_cast<std::int64_t>(std::nearbyint(v));
}

double divide(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a))
            throw AppError(msg::invalidOperation);
        throw AppError(msg::divisionByZero);
    }
    return checked(a / b);
}

double checked(double v) {
    if (std::isnan(v))
        throw AppError(msg::invalidOperation);
    if (std::isinf(v))
        throw AppError(msg::overflow);
    return v;
}

} // namespace textio
