// lineid-cli: the laboratory's computations from a script, over the same core as the windows.
#include "Commands.h"
#include "Common.h"

#include <CLI/CLI.hpp>

#include <clocale>
#include <iostream>

namespace {

// One Spanish line for a wrong use of the options.
std::string usageText(const CLI::ParseError& e) {
    std::string what = e.what();
    if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
        auto required = what.find(" is required");
        if (required != std::string::npos && what.find(' ') == required)
            return "falta " + what.substr(0, required);
        if (what.find("subcommand") != std::string::npos)
            return "falta la orden (trace, split, crop, nist, eva, ratios, peaks, profiles, "
                   "plot, identify)";
        return "falta un argumento obligatorio: " + what;
    }
    if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
        auto colon = what.find(':');
        return "argumento no esperado:" +
               (colon == std::string::npos ? " " + what : what.substr(colon + 1));
    }
    if (dynamic_cast<const CLI::ConversionError*>(&e) != nullptr ||
        dynamic_cast<const CLI::ValidationError*>(&e) != nullptr)
        return "valor no válido: " + what;
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr)
        return "número de valores incorrecto: " + what;
    if (dynamic_cast<const CLI::ExcludesError*>(&e) != nullptr)
        return "opciones incompatibles: " + what;
    return what;
}

} // namespace

int main(int argc, char** argv) {
    // Numbers in files use "." whatever the locale.
    std::setlocale(LC_ALL, "C");
    CLI::App app{"lineid-cli: las herramientas de lineid desde la línea de órdenes", "lineid-cli"};
    cli::spanishHelp(app);
    app.require_subcommand(1);
    app.option_defaults()->always_capture_default();
    cli::addTraceCommand(app);
    cli::addSplitCommand(app);
    cli::addCropCommand(app);
    cli::addNistCommand(app);
    cli::addEvaCommand(app);
    cli::addRatiosCommand(app);
    cli::addPeaksCommand(app);
    cli::addProfilesCommand(app);
    cli::addPlotCommand(app);
    cli::addIdentifyCommand(app);
    for (CLI::App* command : app.get_subcommands({})) {
        command->group("Órdenes");
        if (CLI::Option* help = command->get_help_ptr())
            help->group("Opciones");
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "lineid-cli: " << usageText(e) << " (lineid-cli --help)\n";
        return 2;
    } catch (const cli::Failure& e) {
        std::cerr << "lineid-cli: " << e.what() << "\n";
        return 1;
    } catch (const textio::AppError& e) {
        std::cerr << "lineid-cli: " << e.what() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "lineid-cli: memoria insuficiente\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "lineid-cli: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
