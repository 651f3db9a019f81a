// Conversion of EVA spectrometer exports and the EVA wavelength calibration.
#include "EvaExport.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace eva {

double dispersion(const Calibration& c) {
    return textio::divide(textio::checked(c.colCen - c.colIni),
                          textio::checked(c.posCen - c.posIni));
}

double exportWavelength(double position, double a, double colCen) {
    return textio::checked((position - anchorPosition) * a + colCen);
}

std::string runListLine(const Run& run) {
    return std::to_string(run.number)
        .append("  ")
        .append(textio::fixedField(run.wavelength, 8, 2))
        .append(" ")
        .append(textio::generalFormat(run.sum));
}

std::string runFileLine(const Run& run) {
    return textio::dataField(run.wavelength, 10, 3, textio::FieldPlace::First)
        .append(textio::dataField(run.sum, 10, 0, textio::FieldPlace::Following));
}

int readRuns(textio::TextReader& in, double a, double colCen, const RunSink& sink) {
    int count = 0;
    std::optional<double> position;
    double sum = 0;
    auto finishRun = [&] {
        if (!position)
            return;
        ++count;
        sink(Run{count, exportWavelength(*position, a, colCen), sum});
    };
    while (!in.seekEof()) {
        in.readReal(); // the first number of a record is not used
        // A record cut off by the end of the file reads its missing numbers as 0, as every
        // text-file reader does.
        double p = in.readReal();
        double intensity = in.readReal();
        if (position && p != *position) {
            finishRun();
            position.reset();
        }
        if (!position) {
            position = p;
            sum = 0;
        }
        sum = textio::checked(sum + intensity);
    }
    finishRun();
    return count;
}

int convertExport(textio::TextReader& in, textio::TextWriter& out, double a, double colCen,
                  const RunSink& list) {
    try {
        return readRuns(in, a, colCen, [&](const Run& run) {
            list(run);
            out.writeLine(runFileLine(run));
        });
    } catch (...) {
        try {
            out.flush();
        } catch (const textio::AppError&) {
            // The first failure is the one to report.
        }
        throw;
    }
}

void calibrateAxis(store::SpectrumStore& store, const Calibration& c) {
    double a = dispersion(c);
    std::vector<double> corrected(static_cast<std::size_t>(std::max(0, store.nExp)));
    for (int k = 1; k <= store.nExp; ++k)
        corrected[static_cast<std::size_t>(k - 1)] = textio::checked(c.colIni + k * a);
    if (!store.zExpCurrent) {
        for (int k = 1; k <= store.nExp; ++k)
            store.zExp[k] = store.xExp[k];
        store.zExpCurrent = true;
    }
    for (int k = 1; k <= store.nExp; ++k)
        store.xExp[k] = corrected[static_cast<std::size_t>(k - 1)];
    store.xExpMin = c.colIni;
    store.xExpMax = c.colCen;
}

} // namespace eva
