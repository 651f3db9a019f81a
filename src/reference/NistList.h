// Conversion of an atomic line list saved as ASCII text (observed lines) into a reference-line
// file: "wavelength intensity label" for every line whose intensity is above a limit.
//
// Input format, columns counted from 1: columns 1-6 are the spectrum label (a line whose label is
// six blanks is skipped); from column 12 up to the first "|" is the wavelength field, copied as it
// stands; between the first and the second "|" is the intensity field, cleaned of its flag and
// star and converted to a real. Only columns 12-40 are scanned for the separators; a line without
// a second separator there writes nothing. An intensity field of exactly seven blanks drops the
// line without counting it. A cleaned field that is not a number raises the conversion error.
// Nothing past column 40 is looked at: the rest of a line, of any length, is passed over without
// being kept.
#pragma once

#include "textio/TextReader.h"
#include "textio/TextWriter.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace reference {

// The intensity text after the flag and star rules ("0" where no number is left).
std::string cleanIntensity(std::string text);

struct NistLine {
    std::string label;      // columns 1-6 (fewer when the line is shorter)
    std::string wavelength; // the wavelength field, blanks included
    std::string intensity;  // the cleaned intensity text
    double value = 0;       // the cleaned intensity as a number
};

// The spectral line a list line holds; nothing for a skipped line, a line without two
// separators in columns 12-40, or a dropped seven-blank intensity.
std::optional<NistLine> parseNistLine(std::string_view line);

// "<counter> <label> <wavelength> <intensity>".
std::string nistListLine(int counter, const NistLine& line);
// "<wavelength> <intensity> <label>".
std::string nistFileLine(const NistLine& line);

// Converts the whole list, writing every line whose intensity is strictly greater than the
// limit and passing its list line to the sink. Returns the number of lines written. A failure
// leaves in `out` the lines written before it.
int convertNistList(textio::TextReader& in, textio::TextWriter& out, int limit,
                    const std::function<void(const std::string&)>& list);

} // namespace reference
