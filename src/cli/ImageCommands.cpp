// The commands on camera images: trace, split and crop.
#include "Commands.h"
#include "Common.h"

#include <CLI/CLI.hpp>

namespace cli {

void addTraceCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "trace", "Extrae la traza de un cuadro de cada imagen, como «Traza en color»");
    command->callback([] { throw Failure("trace: todavía no está disponible"); });
}

void addSplitCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("split", "Divide una imagen en sus cuadros, como «Todos»");
    command->callback([] { throw Failure("split: todavía no está disponible"); });
}

void addCropCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("crop", "Recorta un cuadro de una imagen, como «un cuadro»");
    command->callback([] { throw Failure("crop: todavía no está disponible"); });
}

} // namespace cli
