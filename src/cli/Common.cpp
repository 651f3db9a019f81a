// What every command of lineid-cli shares.
#include "Common.h"

#include "andor/ImageFrame.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <unistd.h>

namespace cli {

void failOn(const std::filesystem::path& file, std::string_view text,
            std::optional<std::uint64_t> line) {
    std::string message = file.string() + ": ";
    if (line)
        message += "línea " + std::to_string(*line) + ": ";
    message += text;
    throw Failure(message);
}

namespace {

std::optional<int> positiveNumber(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

// The frame size the text names; nothing, with the reason in `problem`, when it names none. A
// frame of more values than an image frame may hold is refused before anything is read.
std::optional<andor::FrameGeometry> sizeOf(std::string_view text, std::string& problem) {
    if (text == "2048x2048")
        return andor::size2048x2048;
    auto x = text.find('x');
    if (x != std::string_view::npos) {
        auto lines = positiveNumber(text.substr(0, x));
        auto values = positiveNumber(text.substr(x + 1));
        if (lines && values) {
            if (static_cast<std::int64_t>(*lines) * *values <= andor::maxImageCells)
                return andor::FrameGeometry{*lines, *values};
            problem = "tamaño demasiado grande: " + std::string(text) + " (un cuadro de más de " +
                      std::to_string(andor::maxImageCells) + " valores)";
            return std::nullopt;
        }
    }
    problem = "tamaño no válido: " + std::string(text) + " (1024x256, 2048x2048 o LxV)";
    return std::nullopt;
}

} // namespace

andor::FrameGeometry parseSize(std::string_view text) {
    std::string problem;
    if (auto size = sizeOf(text, problem))
        return *size;
    throw CLI::ValidationError("--size", problem);
}

CLI::Option* addModeOption(CLI::App& command, std::string& mode, const std::string& help) {
    mode = "column";
    return command.add_option("--mode", mode, help)
        ->capture_default_str()
        ->check(CLI::IsMember({"column", "line"}))
        ->type_name("MODO");
}

andor::TraceMode modeOf(std::string_view mode) {
    return mode == "line" ? andor::TraceMode::Line : andor::TraceMode::Column;
}

CLI::Option* addSizeOption(CLI::App& command, std::string& size) {
    size = "1024x256";
    return command
        .add_option("--size", size,
                    "Tamaño de la imagen: 1024x256, 2048x2048 (2048 líneas de 248 valores) o LxV "
                    "(L líneas por cuadro, V valores por línea)")
        ->capture_default_str()
        ->check(CLI::Validator(
            [](std::string& text) {
                std::string problem;
                sizeOf(text, problem);
                return problem;
            },
            "", "tamaño"));
}

void spanishHelp(CLI::App& app) {
    app.option_defaults()->group("Opciones");
    app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
    auto formatter = app.get_formatter();
    formatter->label("Usage", "Uso");
    formatter->label("OPTIONS", "OPCIONES");
    formatter->label("Options", "Opciones");
    formatter->label("Positionals", "Argumentos");
    formatter->label("SUBCOMMAND", "ORDEN");
    formatter->label("SUBCOMMANDS", "ÓRDENES");
    formatter->label("Subcommands", "Órdenes");
    formatter->label("REQUIRED", "OBLIGATORIO");
    formatter->label("TEXT", "TEXTO");
    formatter->label("INT", "ENTERO");
    formatter->label("FLOAT", "REAL");
    formatter->label("UINT", "ENTERO");
    formatter->label("Excludes", "Excluye");
    formatter->label("Needs", "Requiere");
    formatter->column_width(34);
}

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& final) {
    std::random_device random;
    auto name = "." + final.filename().string() + ".tmp" + std::to_string(::getpid()) + "." +
                std::to_string(random() % 1000000);
    return final.parent_path() / name;
}

} // namespace

OutputFile::OutputFile(std::filesystem::path finalPath) : final_(std::move(finalPath)) {
    standardOutput_ = final_ == "-";
    temporary_ = standardOutput_
                     ? temporaryBeside(std::filesystem::temp_directory_path() / "lineid-cli-out")
                     : temporaryBeside(final_);
}

OutputFile::~OutputFile() {
    if (!committed_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

void OutputFile::commit() {
    std::error_code error;
    if (standardOutput_) {
        std::ifstream in(temporary_, std::ios::binary);
        // Inserting a buffer that gives nothing marks the stream failed: an empty output is
        // copied by writing nothing.
        if (in.peek() != std::ifstream::traits_type::eof())
            std::cout << in.rdbuf();
        std::cout.flush();
        bool written = static_cast<bool>(std::cout);
        in.close();
        std::filesystem::remove(temporary_, error);
        committed_ = true;
        if (!written)
            throw Failure("no se pudo escribir en la salida estándar");
        return;
    }
    std::filesystem::rename(temporary_, final_, error);
    if (error)
        failOn(final_, "no se pudo crear: " + error.message());
    committed_ = true;
}

Progress::Progress(std::string label, std::size_t total)
    : label_(std::move(label)), total_(total), enabled_(::isatty(STDERR_FILENO) == 1 && total > 1) {
    if (enabled_)
        draw(0);
}

Progress::~Progress() {
    if (enabled_)
        std::fprintf(stderr, "\r\033[K");
}

void Progress::step() {
    std::size_t done = done_.fetch_add(1) + 1;
    if (enabled_)
        draw(done);
}

void Progress::draw(std::size_t done) {
    constexpr std::size_t width = 30;
    std::size_t filled = total_ == 0 ? width : done * width / total_;
    std::string bar(filled, '#');
    bar.resize(width, '.');
    std::fprintf(stderr, "\r%s [%s] %zu/%zu", label_.c_str(), bar.c_str(), done, total_);
    std::fflush(stderr);
}

} // namespace cli
