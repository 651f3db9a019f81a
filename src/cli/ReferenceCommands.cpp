// The commands on line lists and spectra: nist, peaks and profiles.
#include "Commands.h"
#include "Common.h"
#include "WindowInputs.h"

#include "reference/GaussProfile.h"
#include "reference/NistList.h"
#include "reference/PeakSearch.h"
#include "store/SpectrumStore.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

namespace cli {

namespace {

namespace fs = std::filesystem;

// ---- nist -------------------------------------------------------------------------------------

struct NistOptions {
    std::string list;
    std::string limit;
    std::string output;
};

// The window's output name: the list's name without its last four characters, then ".dat",
// beside the list (where the file-open dialog has moved the window's current folder).
fs::path nistOutputBeside(const fs::path& list) {
    return list.parent_path() / (textio::withoutLastFour(list.filename().string()) + ".dat");
}

void runNist(const NistOptions& o) {
    const fs::path list = o.list;
    const int limit = textio::strToInt(o.limit);
    auto in = openInput(list);
    OutputFile out(o.output.empty() ? nistOutputBeside(list) : fs::path(o.output));
    refuseInputAsOutput({list}, out);
    auto writer = createOutput(out);
    readingLines(list, in,
                 [&] { reference::convertNistList(in, writer, limit, [](const std::string&) {}); });
    writer.close();
    out.commit();
}

// ---- peaks ------------------------------------------------------------------------------------

struct PeaksOptions {
    std::string spectrum;
    std::string average;
    std::string output = "cosa3.dat";
};

void runPeaks(const PeaksOptions& o) {
    const fs::path spectrumPath = o.spectrum;
    const int n = textio::strToInt(o.average);
    auto in = openInput(spectrumPath);
    const auto spectrum =
        readingLines(spectrumPath, in, [&in] { return store::readWholeExperimental(in); });
    noteCapacity(spectrumPath, spectrum.x.size(), store::experimentalCapacity, "puntos");
    OutputFile out(o.output);
    refuseInputAsOutput({spectrumPath}, out);
    auto writer = createOutput(out);
    std::vector<double> runningMean;
    reference::findPeaks(spectrum.x, spectrum.y, n, runningMean,
                         [&writer](const reference::Peak& peak) {
                             writer.writeLine(reference::peakFileLine(peak));
                         });
    writer.close();
    out.commit();
}

// ---- profiles ---------------------------------------------------------------------------------

struct ProfilesOptions {
    std::string spectrum;
    std::string lines;
    std::string width;
    std::string output = "-";
};

void runProfiles(const ProfilesOptions& o) {
    const fs::path spectrumPath = o.spectrum;
    const fs::path linesPath = o.lines;
    const double width = textio::strToFloat(o.width);
    auto spectrumIn = openInput(spectrumPath);
    const auto spectrum = readingLines(spectrumPath, spectrumIn,
                                       [&] { return store::readWholeExperimental(spectrumIn); });
    auto linesIn = openInput(linesPath);
    const auto lines =
        readingLines(linesPath, linesIn, [&] { return store::readWholeReference(linesIn); });
    noteCapacity(spectrumPath, spectrum.x.size(), store::experimentalCapacity, "puntos");
    noteCapacity(linesPath, lines.x.size(), store::referenceCapacity, "líneas");
    OutputFile out(o.output);
    refuseInputAsOutput({spectrumPath, linesPath}, out);
    auto writer = createOutput(out);
    // The window computes profile j for the spectrum's points j that have a loaded line j.
    const std::size_t count = std::min(spectrum.x.size(), lines.x.size());
    auto profile = std::make_unique<reference::GaussProfile>();
    for (std::size_t j = 0; j < count; ++j) {
        reference::computeProfile(width, lines.x[j], *profile);
        reference::listProfile(*profile,
                               [&writer](const std::string& line) { writer.writeLine(line); });
    }
    writer.close();
    out.commit();
}

CLI::Option* addOutputOption(CLI::App& command, std::string& output, const std::string& help) {
    return command.add_option("-o,--output", output, help);
}

} // namespace

void addNistCommand(CLI::App& app) {
    auto o = std::make_shared<NistOptions>();
    CLI::App* command =
        app.add_subcommand("nist", "Convierte una lista de líneas atómicas, como «&Nist a (x,y)»");
    command
        ->add_option(
            "LIST", o->list,
            "Lista de líneas del NIST en ASCII, solo observadas, columnas separadas por «|»")
        ->required();
    addEditOption(*command, "--limit", o->limit, "100", EditText::Integer,
                  "Límite de intensidad («Limite»): se escriben las líneas de intensidad mayor");
    addOutputOption(*command, o->output,
                    "Archivo de salida; por omisión el nombre de LIST sin sus cuatro últimos "
                    "caracteres y con .dat, junto a LIST; - es la salida estándar");
    command->callback([o] { runNist(*o); });
}

void addPeaksCommand(CLI::App& app) {
    auto o = std::make_shared<PeaksOptions>();
    CLI::App* command =
        app.add_subcommand("peaks", "Busca los picos de un espectro, como «&Busca Picos»");
    command
        ->add_option("SPECTRUM", o->spectrum,
                     "Espectro experimental: longitud de onda (nm) e "
                     "intensidad por renglón")
        ->required();
    addEditOption(*command, "--average", o->average, "6", EditText::Integer,
                  "Puntos del promedio corrido («Delta Promedio»)", [](double n) {
                      return n < 0 ? std::string("El número de puntos del promedio no puede ser "
                                                 "negativo.")
                                   : std::string();
                  });
    addOutputOption(*command, o->output,
                    "Archivo de los picos: longitud de onda, promedio corrido e intensidad; - es "
                    "la salida estándar")
        ->capture_default_str();
    command->callback([o] { runPeaks(*o); });
}

void addProfilesCommand(CLI::App& app) {
    auto o = std::make_shared<ProfilesOptions>();
    CLI::App* command =
        app.add_subcommand("profiles", "Perfiles gaussianos de las líneas, como «&Convolucion»");
    command
        ->add_option("SPECTRUM", o->spectrum,
                     "Espectro experimental: longitud de onda (nm) e "
                     "intensidad por renglón")
        ->required();
    command
        ->add_option("LINES", o->lines,
                     "Líneas de referencia: longitud de onda (Å), "
                     "intensidad y etiqueta por renglón")
        ->required();
    addEditOption(*command, "--width", o->width, "2", EditText::Real,
                  "Ancho de línea en nm («Ancho de l inea»); la desviación estándar es la mitad");
    addOutputOption(*command, o->output,
                    "Archivo del listado, un renglón por renglón de la lista de la ventana; - es "
                    "la salida estándar")
        ->capture_default_str();
    command->callback([o] { runProfiles(*o); });
}

} // namespace cli
