// The shared spectrum store and the readers of its two input files.
//
// Experimental spectrum file: a stream of records, each a number x (wavelength, nm) and a number
// y (intensity), then the rest of the line is skipped. Numbers follow the reader's number rule:
// blanks, tabs and line ends before a number are skipped, a number at the end of the file reads
// as 0, a token that is not a number raises "Invalid numeric input". The end test is made before
// each record, so a file ending in an empty line gains a point (0, 0).
//
// Reference-line file: one record per line, a number x (wavelength, angstrom, stored as x / 10), a
// number y (intensity), then a label of the next up to six characters of the same line exactly as
// they stand, starting with the character that ended y; the rest of the line is skipped.
//
// Each read resets its maxima to 0 and minima to 1e9 and widens them point by point. A file with
// more records than the capacity is read up to the capacity; nothing is stored past it.
#pragma once

#include "textio/OneBased.h"
#include "textio/TextReader.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

inline constexpr int experimentalCapacity = 4024;
inline constexpr int referenceCapacity = 2024;
inline constexpr int labelLength = 6;
// What the minima start from before a read widens them.
inline constexpr double initialMinimum = 1000000000.0;

struct SpectrumStore {
    textio::OneBased<double, experimentalCapacity> xExp;
    textio::OneBased<double, experimentalCapacity> yExp;
    textio::OneBased<double, experimentalCapacity> zExp;
    double xExpMax = 0;
    double xExpMin = 0;
    double yExpMax = 0;
    double yExpMin = 0;
    int nExp = 0;
    bool hayExp = false;
    // zExp holds the uncorrected abscissae of the spectrum held now; every read clears it.
    bool zExpCurrent = false;
    textio::OneBased<double, referenceCapacity> xRef;
    textio::OneBased<double, referenceCapacity> yRef;
    textio::OneBased<std::string, referenceCapacity> ionRef;
    double xRefMax = 0;
    double xRefMin = 0;
    double yRefMax = 0;
    double yRefMin = 0;
    int nRef = 0;
    std::string archRef;
    std::string archExp;
    // The files the spectrum and the reference lines were read from, whole paths: outputs are
    // checked against them.
    std::filesystem::path expPath;
    std::filesystem::path refPath;
};

// Receives the list line of each record as it is read.
using ListSink = std::function<void(const std::string&)>;

struct ReadOutcome {
    int records = 0;        // records stored by this read
    bool truncated = false; // the file held more records than the capacity
};

// The bounds a read widens point by point: maxima from 0, minima from 1e9, strict comparisons.
struct Bounds {
    double xMax = 0;
    double xMin = initialMinimum;
    double yMax = 0;
    double yMin = initialMinimum;
    void widen(double x, double y);
};

// A file read whole, past the store's capacity: its records in order and their bounds, which are
// the bounds the store gets from the same file when it fits.
struct WholeFile {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<std::string> labels; // reference lines only
    Bounds bounds;
};

// The records of an experimental file by the same rule as readExperimental.
WholeFile readWholeExperimental(textio::TextReader& in);
// The records of a reference-line file by the same rule as readReference (x divided by 10).
WholeFile readWholeReference(textio::TextReader& in);

// Reads an experimental file into xExp, yExp, the experimental bounds, nExp and hayExp.
// On an invalid token the points and bounds read so far stay, nExp and hayExp keep their values.
ReadOutcome readExperimental(textio::TextReader& in, SpectrumStore& store, const ListSink& list);

// Reads a reference-line file into xRef, yRef, ionRef, the reference bounds and nRef, with the
// same failure rule.
ReadOutcome readReference(textio::TextReader& in, SpectrumStore& store, const ListSink& list);

// "x     y" in general format.
std::string experimentalListLine(double x, double y);
// "x     y  label" in general format, x already divided by 10.
std::string referenceListLine(double x, double y, std::string_view label);

} // namespace store
