// The identify command: the peaks of a spectrum, their candidate lines, the ions present and,
// on request, the fitted wavelength axis.
#include "Commands.h"
#include "Common.h"
#include "WindowInputs.h"

#include "identify/Identify.h"
#include "lines/AxisCorrection.h"
#include "store/SpectrumStore.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace cli {

namespace {

namespace fs = std::filesystem;

struct IdentifyOptions {
    std::string spectrum;
    std::vector<std::string> lines;
    std::string tolerance;
    std::string shift;
    std::string threshold;
    std::string peaks;
    bool fit = false;
    bool apply = false;
    std::string format = "tsv";
    std::string output = "-";
};

std::vector<identify::ReferenceLine> readLineSets(const std::vector<std::string>& files) {
    std::vector<identify::ReferenceLine> all;
    for (const fs::path file : files) {
        auto in = openInput(file);
        const auto whole = readingLines(file, in, [&in] { return store::readWholeReference(in); });
        auto lines = identify::referenceLines(whole);
        all.insert(all.end(), lines.begin(), lines.end());
    }
    return identify::sortedLines(std::move(all));
}

// The window's name for the corrected spectrum: the spectrum's name without its last four
// characters, then "_cor.dat", beside the spectrum.
fs::path correctedBeside(const fs::path& spectrum) {
    return spectrum.parent_path() /
           (textio::withoutLastFour(spectrum.filename().string()) + "_cor.dat");
}

void refuseInputs(const std::vector<fs::path>& inputs, const OutputFile& out) {
    if (!out.toStandardOutput())
        textio::ensureDistinct(std::span(inputs), out.finalPath());
}

void writeCorrected(const OutputFile& out, const store::WholeFile& spectrum,
                    lines::LinearError error) {
    std::vector<double> x;
    for (double v : spectrum.x)
        x.push_back(lines::correctedWavelength(error, v));
    reading(out.finalPath(), [&] { lines::writeCorrectedSpectrum(out.path(), x, spectrum.y); });
}

void summarize(const identify::Result& result) {
    if (::isatty(STDERR_FILENO) != 1)
        return;
    std::fprintf(stderr, "%zu picos; iones:\n", result.peaks.size());
    for (const auto& ion : result.ions)
        std::fprintf(stderr, "  %-8s %5.2f  %d/%d líneas fuertes%s\n", ion.label.c_str(), ion.score,
                     ion.matched, ion.expected, ion.present ? "  presente" : "");
    if (result.fit)
        std::fprintf(stderr, "eje: pendiente %.6g, ordenada %.6g, rms %.4f nm, %d líneas\n",
                     result.fit->error.slope, result.fit->error.intercept, result.fit->rms,
                     result.fit->lines);
}

void runIdentify(const IdentifyOptions& o) {
    identify::Options options;
    options.tolerance = textio::strToFloat(o.tolerance);
    options.shift = textio::strToFloat(o.shift);
    options.threshold = textio::strToFloat(o.threshold);
    options.fitAxis = o.fit || o.apply;
    const fs::path spectrumPath = o.spectrum;
    auto in = openInput(spectrumPath);
    const auto spectrum =
        readingLines(spectrumPath, in, [&in] { return store::readWholeExperimental(in); });
    const auto lines = readLineSets(o.lines);
    std::vector<fs::path> inputs{spectrumPath};
    inputs.insert(inputs.end(), o.lines.begin(), o.lines.end());
    std::optional<std::vector<identify::Peak>> peaks;
    if (!o.peaks.empty()) {
        auto peaksIn = openInput(o.peaks);
        peaks = readingLines(o.peaks, peaksIn, [&] { return identify::readPeakFile(peaksIn); });
        inputs.push_back(o.peaks);
    }
    const auto result = reading(spectrumPath, [&] {
        return identify::identifySpectrum(spectrum.x, spectrum.y, lines, peaks, options);
    });
    if (options.fitAxis && !result.fit)
        failOn(spectrumPath, "no hay bastantes picos con una sola línea cercana para ajustar "
                             "el eje");
    OutputFile out(o.output);
    refuseInputs(inputs, out);
    std::optional<OutputFile> corrected;
    if (o.apply) {
        corrected.emplace(correctedBeside(spectrumPath));
        refuseInputs(inputs, *corrected);
        if (!out.toStandardOutput())
            textio::ensureDistinct(corrected->finalPath(), out.finalPath());
        writeCorrected(*corrected, spectrum, result.correction);
    }
    std::ostringstream text;
    if (o.format == "json")
        identify::writeJson(text, result);
    else
        identify::writeTable(text, result);
    auto writer = createOutput(out);
    writer.write(text.str());
    writer.close();
    if (corrected)
        corrected->commit();
    out.commit();
    summarize(result);
}

std::string refuseNotPositive(double v) {
    return v > 0 ? std::string() : std::string("debe ser mayor que 0");
}

std::string refuseNegative(double v) {
    return v >= 0 ? std::string() : std::string("no puede ser negativo");
}

} // namespace

void addIdentifyCommand(CLI::App& app) {
    auto o = std::make_shared<IdentifyOptions>();
    CLI::App* command = app.add_subcommand(
        "identify", "Identifica las líneas de un espectro: picos, líneas candidatas, iones "
                    "presentes y, si se pide, el eje de longitudes de onda ajustado");
    command
        ->add_option("SPECTRUM", o->spectrum,
                     "Espectro experimental: longitud de onda (nm) e intensidad por renglón")
        ->required();
    command
        ->add_option("--lines", o->lines,
                     "Archivos de líneas de referencia: longitud de onda (Å), intensidad y "
                     "etiqueta por renglón")
        ->required()
        ->expected(1, -1)
        ->type_name("ARCHIVO")
        ->default_str("");
    addEditOption(*command, "--tolerance", o->tolerance, "0.1", EditText::Real,
                  "Distancia máxima (nm) entre un pico y sus líneas candidatas", refuseNotPositive);
    addEditOption(*command, "--shift", o->shift, "0", EditText::Real,
                  "Error supuesto del eje (nm, observado − referencia) antes de comparar");
    addEditOption(*command, "--threshold", o->threshold, "5", EditText::Real,
                  "Prominencia mínima de un pico, en niveles de ruido", refuseNegative);
    command->add_option("--peaks", o->peaks,
                        "Picos de un archivo en lugar de buscarlos: _picos.dat de la vista de "
                        "líneas o cosa3.dat de la búsqueda de picos");
    command->add_flag("--fit", o->fit,
                      "Ajusta el error del eje (observado − referencia = pendiente · observado + "
                      "ordenada, como «Otro» de «Corrección en color») y da las longitudes de "
                      "onda corregidas");
    command->add_flag("--apply", o->apply,
                      "Como --fit, y además escribe el espectro corregido en SPECTRUM sin sus "
                      "cuatro últimos caracteres y con _cor.dat, junto a SPECTRUM");
    command->add_option("--format", o->format, "Formato de la salida: tsv o json")
        ->type_name("FORMATO")
        ->check(CLI::Validator(
            [](std::string& v) {
                return v == "tsv" || v == "json" ? std::string() : std::string("tsv o json");
            },
            "tsv|json"))
        ->capture_default_str();
    command->add_option("-o,--output", o->output, "Archivo de salida; - es la salida estándar")
        ->capture_default_str();
    command->callback([o] { runIdentify(*o); });
}

} // namespace cli
