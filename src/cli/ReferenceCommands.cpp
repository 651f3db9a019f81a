// The commands on line lists and spectra: nist, peaks and profiles.
#include "Commands.h"
#include "Common.h"

#include <CLI/CLI.hpp>

namespace cli {

void addNistCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("nist", "Convierte una lista de líneas atómicas, como «&Nist a (x,y)»");
    command->callback([] { throw Failure("nist: todavía no está disponible"); });
}

void addPeaksCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("peaks", "Busca los picos de un espectro, como «&Busca Picos»");
    command->callback([] { throw Failure("peaks: todavía no está disponible"); });
}

void addProfilesCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("profiles", "Perfiles gaussianos de las líneas, como «&Convolucion»");
    command->callback([] { throw Failure("profiles: todavía no está disponible"); });
}

} // namespace cli
