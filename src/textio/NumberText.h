// Number-to-text conversions of the program, independent of the process locale ("." always).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace textio {

// Shortest form with up to 15 significant digits; plain notation for 1e-5 <= |v| < 1e15,
// otherwise mantissa, "E" and the exponent without "+" or leading zeros ("1E20", "1.5E-7").
std::string generalFormat(double value);

// The value with `decimals` decimals, right-aligned in `width` characters (w:d fields, "%8.2f").
// A value wider than the field is written in full.
std::string fixedField(double value, int width, int decimals);

// Where a field stands on its line of a data file.
enum class FieldPlace { First, Following };

// A number field of a data file: fixedField, except that a field following another starts with
// at least one blank even when its value fills or overflows the width, so that the file always
// reads back as the numbers written; an infinity raises "Floating point overflow" and a NaN
// "Invalid floating point operation" instead of being written.
std::string dataField(double value, int width, int decimals, FieldPlace place);

// A whole number right-aligned in `width` characters with at least `minDigits` digits ("%10.2d").
std::string integerField(std::int64_t value, int width, int minDigits = 1);

// The decimal integer text of a value ("-12").
std::string integerText(std::int64_t value);

} // namespace textio
