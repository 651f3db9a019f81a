// The plot command: the spectrum and its line sets as a figure for print.
#include "Commands.h"
#include "Common.h"

#include <CLI/CLI.hpp>

namespace cli {

void addPlotCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("plot", "Dibuja el espectro con sus juegos de líneas en PNG, SVG o PDF");
    command->callback([] { throw Failure("plot: todavía no está disponible"); });
}

} // namespace cli
