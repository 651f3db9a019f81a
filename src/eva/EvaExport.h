// Conversion of EVA spectrometer exports into two-column spectra, and the EVA wavelength
// calibration of the store's abscissae.
//
// EVA export: a stream of real numbers under the reader's number rule (blanks, tabs and line ends
// separate them, a number ends at the first character with code 32 or less, a token that is not
// a number raises "Invalid numeric input"), three numbers per record, normally one record a line:
// a number that is not used, the pixel position p and the intensity. Blanks and line ends after
// the last record form no record; in a record cut off by the end of the file the missing numbers
// read as 0. Consecutive
// records whose positions are exactly equal form a run; a position that comes back after another
// one starts a new run.
//
// Converted spectrum: one line per run, in input order: the wavelength with 3 decimals
// right-aligned in 10 characters, at once followed by the summed intensity rounded to a whole
// number right-aligned in 10 characters (wider values in full), then the line end.
#pragma once

#include "store/SpectrumStore.h"
#include "textio/TextReader.h"
#include "textio/TextWriter.h"

#include <functional>
#include <string>

namespace eva {

// The converted spectrum, written to the current folder.
inline constexpr const char* convertedFileName = "ar550test.dat";
// The conversion gives this position the far calibration wavelength colCen.
inline constexpr double anchorPosition = 1024;

// The two calibration points of the pixel-to-wavelength line: wavelengths (nm) colCen at
// position posCen and colIni at position posIni.
struct Calibration {
    double colCen = 0;
    double colIni = 0;
    double posCen = 0;
    double posIni = 0;
};

// nm per pixel, (colCen - colIni) / (posCen - posIni); equal positions raise the runtime's
// division error.
double dispersion(const Calibration& c);

// The conversion's wavelength of a position: (p - 1024) * a + colCen.
double exportWavelength(double position, double a, double colCen);

// One run of equal positions, numbered from 1 in file order.
struct Run {
    int number = 0;
    double wavelength = 0;
    double sum = 0;
};

// "n  λ  S": the number, two blanks, λ as "%8.2f", one blank, S in the general format.
std::string runListLine(const Run& run);
// The converted spectrum's line without its line end.
std::string runFileLine(const Run& run);

using RunSink = std::function<void(const Run&)>;

// Reads the export to its end and hands over each run as soon as it is complete; returns how many
// runs there were. On a failure the runs handed over so far stay handed over; the run being read
// is dropped.
int readRuns(textio::TextReader& in, double a, double colCen, const RunSink& sink);

// readRuns writing each run's line to `out` and passing the run on to `list`. On a failure the
// lines written so far are pushed to the file before the error goes on.
int convertExport(textio::TextReader& in, textio::TextWriter& out, double a, double colCen,
                  const RunSink& list);

// Rewrites xExp[k] as colIni + k * a for k = 1..nExp and sets xExpMin to colIni and xExpMax to
// colCen. The abscissae are saved in zExp first unless zExp already holds the uncorrected ones of
// the spectrum held (the store's record). Nothing changes when a value cannot be computed.
void calibrateAxis(store::SpectrumStore& store, const Calibration& c);

} // namespace eva
