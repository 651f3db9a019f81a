// Text-to-number conversions of edit-box contents, rounding and checked arithmetic, each failing
// with the runtime's text.
#pragma once

#include <cstdint>
#include <string_view>

namespace textio {

// A real written with "." (sign, digits, fraction, exponent); blanks around it are allowed.
// Otherwise "'<text>' is not a valid floating point value".
double strToFloat(std::string_view text);

// A 32-bit whole number, optionally signed; blanks around it are allowed.
// Otherwise "'<text>' is not a valid integer value".
int strToInt(std::string_view text);

// The integer nearest to v, an exact half going to the even neighbour.
// NaN, infinities and values outside 64 bits raise "Invalid floating point operation".
std::int64_t nearest(double v);

// a / b: "Floating point division by zero" for b = 0, "Invalid floating point operation" for
// 0 / 0 (or a NaN), "Floating point overflow" when the quotient is infinite.
double divide(double a, double b);

// The result of a computation checked like the hardware would trap: an infinity raises
// "Floating point overflow", a NaN "Invalid floating point operation".
double checked(double v);

// a + b, a - b and a * b, checked like `checked`: a result too large for a double is an overflow
// at that very operation, not an undefined value further on.
inline double checkedSum(double a, double b) {
    return checked(a + b);
}
inline double checkedDifference(double a, double b) {
    return checked(a - b);
}
inline double checkedProduct(double a, double b) {
    return checked(a * b);
}

} // namespace textio
