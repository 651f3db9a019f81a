// What every command of lineid-cli shares: how it fails, the image size option, outputs written
// whole or not at all, and the progress bar of long runs.
#pragma once

#include "andor/AndorImage.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace cli {

// A failure of the input files or their contents: one line on standard error, exit status 1.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "FILE: TEXT", or "FILE: línea N: TEXT" when the line is known.
[[noreturn]] void failOn(const std::filesystem::path& file, std::string_view text,
                         std::optional<std::uint64_t> line = std::nullopt);

// Runs `read` and turns the core's error (textio::AppError) into a failure naming `file`.
template <class Read>
auto reading(const std::filesystem::path& file, Read&& read) -> decltype(read());

// "1024x256", "2048x2048" (the camera's 2048 x 248 values) or "LxV".
andor::FrameGeometry parseSize(std::string_view text);
// The --size option with its check, its help text and its default "1024x256".
CLI::Option* addSizeOption(CLI::App& command, std::string& size);

// The --mode option (column or line) with its check and its default "column"; `help` tells what
// each mode gives in the command.
CLI::Option* addModeOption(CLI::App& command, std::string& mode, const std::string& help);
// The mode the option's text names.
andor::TraceMode modeOf(std::string_view mode);

// The Spanish labels, option group and help flag of the program, which its commands inherit.
void spanishHelp(CLI::App& app);

// An output written under a temporary name in its final folder and renamed over the final name
// only when complete, so that a failure never leaves a half-written file under that name. The
// name "-" is standard output: the text is then gathered in a temporary file and copied out at
// commit. An output that is not committed is removed.
class OutputFile {
public:
    explicit OutputFile(std::filesystem::path finalPath);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    bool toStandardOutput() const { return standardOutput_; }
    // The name the output appears under when committed ("-" for standard output).
    const std::filesystem::path& finalPath() const { return final_; }
    // Where to write it now.
    const std::filesystem::path& path() const { return temporary_; }
    // Renames the written file over the final name (or copies it to standard output).
    void commit();

private:
    std::filesystem::path final_;
    std::filesystem::path temporary_;
    bool standardOutput_ = false;
    bool committed_ = false;
};

// A bar on standard error, drawn only when standard error is a terminal. Steps may come from
// several threads.
class Progress {
public:
    Progress(std::string label, std::size_t total);
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    ~Progress();
    void step();

private:
    void draw(std::size_t done);
    std::string label_;
    std::size_t total_;
    std::atomic<std::size_t> done_{0};
    bool enabled_;
};

} // namespace cli

#include "textio/AppError.h"

template <class Read>
auto cli::reading(const std::filesystem::path& file, Read&& read) -> decltype(read()) {
    try {
        return read();
    } catch (const textio::AppError& e) {
        failOn(file, e.what());
    }
}
