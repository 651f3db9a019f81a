// The eva command: the conversion of another spectrometer's export.
#include "Commands.h"
#include "Common.h"

#include <CLI/CLI.hpp>

namespace cli {

void addEvaCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "eva", "Convierte una exportación del espectrómetro, como «&Conv Espectro»");
    command->callback([] { throw Failure("eva: todavía no está disponible"); });
}

} // namespace cli
