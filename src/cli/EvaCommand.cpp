// The eva command: the conversion of another spectrometer's export.
#include "Commands.h"
#include "Common.h"
#include "WindowInputs.h"

#include "eva/EvaExport.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace cli {

namespace {

namespace fs = std::filesystem;

struct EvaOptions {
    std::string exportFile;
    std::string lambdaFirst; // edColIni
    std::string lambdaLast;  // edColCen
    std::string pixelFirst;  // edPosIni
    std::string pixelLast;   // edPosCen
    std::string output = eva::convertedFileName;
};

void runEva(const EvaOptions& o) {
    const fs::path input = o.exportFile;
    // The window's order: colCen, colIni, posCen, posIni.
    const eva::Calibration c{textio::strToFloat(o.lambdaLast), textio::strToFloat(o.lambdaFirst),
                             textio::strToFloat(o.pixelLast), textio::strToFloat(o.pixelFirst)};
    double a = 0;
    try {
        a = eva::dispersion(c);
    } catch (const textio::AppError& e) {
        throw Failure(std::string("--pixel-first, --pixel-last: ") + e.what());
    }
    auto in = openInput(input);
    OutputFile out(o.output);
    refuseInputAsOutput({input}, out);
    auto writer = createOutput(out);
    readingLines(input, in,
                 [&] { eva::convertExport(in, writer, a, c.colCen, [](const eva::Run&) {}); });
    writer.close();
    out.commit();
}

} // namespace

void addEvaCommand(CLI::App& app) {
    auto o = std::make_shared<EvaOptions>();
    CLI::App* command = app.add_subcommand(
        "eva", "Convierte una exportación del espectrómetro, como «&Conv Espectro»");
    command
        ->add_option("EXPORT", o->exportFile,
                     "Exportación de EVA: un número sin uso, la posición (pixel) y la "
                     "intensidad por registro")
        ->required();
    addEditOption(*command, "--lambda-first", o->lambdaFirst, "520", EditText::Real,
                  "Longitud de onda (nm) en la posición inicial («Color inicial»)");
    addEditOption(*command, "--lambda-last", o->lambdaLast, "550", EditText::Real,
                  "Longitud de onda (nm) en la posición final («Col final»); la posición 1024 "
                  "la recibe siempre");
    addEditOption(*command, "--pixel-first", o->pixelFirst, "1", EditText::Real,
                  "Posición inicial de la calibración («posic inicial»)");
    addEditOption(*command, "--pixel-last", o->pixelLast, "1024", EditText::Real,
                  "Posición final de la calibración («posic central»)");
    command
        ->add_option("-o,--output", o->output,
                     "Espectro de dos columnas: longitud de onda e intensidad sumada por "
                     "posición; - es la salida estándar")
        ->capture_default_str();
    command->callback([o] { runEva(*o); });
}

} // namespace cli
