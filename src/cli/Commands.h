// The commands of lineid-cli, each added to the program's option parser by its own file.
#pragma once

namespace CLI {
class App;
}

namespace cli {

void addTraceCommand(CLI::App& app);
void addSplitCommand(CLI::App& app);
void addCropCommand(CLI::App& app);
void addNistCommand(CLI::App& app);
void addEvaCommand(CLI::App& app);
void addRatiosCommand(CLI::App& app);
void addPeaksCommand(CLI::App& app);
void addProfilesCommand(CLI::App& app);
void addPlotCommand(CLI::App& app);
void addIdentifyCommand(CLI::App& app);

} // namespace cli
