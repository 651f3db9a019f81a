// The ratios command: line-intensity ratios over many camera images.
#include "Commands.h"
#include "Common.h"

#include <CLI/CLI.hpp>

namespace cli {

void addRatiosCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "ratios",
        "Razones de intensidad de líneas de muchas imágenes, como «Extrae traza espectro»");
    command->callback([] { throw Failure("ratios: todavía no está disponible"); });
}

} // namespace cli
