// What the commands that stand in for a window share: options that take the text of one of its
// edit boxes, the input files it would have read, and failures named with the line at fault.
#pragma once

#include "Common.h"

#include "textio/AppError.h"
#include "textio/Convert.h"
#include "textio/Files.h"
#include "textio/TextReader.h"
#include "textio/TextWriter.h"

#include <CLI/CLI.hpp>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <string>
#include <string_view>

namespace cli {

// An option holding the text an operator types into an edit box, converted the way the window
// converts that box (blanks around the number allowed, "2" and "2.0" alike for a real). A text
// the window would refuse is a wrong use of the command, with the window's message; `refuse`
// may add a refusal of a converted value ("" when the value is accepted).
enum class EditText { Integer, Real };
inline CLI::Option* addEditOption(CLI::App& command, const std::string& names, std::string& text,
                                  std::string defaultText, EditText kind, const std::string& help,
                                  std::function<std::string(double)> refuse = {}) {
    text = std::move(defaultText);
    return command.add_option(names, text, help)
        ->type_name(kind == EditText::Integer ? "ENTERO" : "REAL")
        ->capture_default_str()
        ->check(CLI::Validator(
            [kind, refuse = std::move(refuse)](std::string& value) -> std::string {
                try {
                    const double v = kind == EditText::Integer ? textio::strToInt(value)
                                                               : textio::strToFloat(value);
                    return refuse ? refuse(v) : std::string();
                } catch (const textio::AppError& e) {
                    return e.what();
                }
            },
            "", "texto de la ventana"));
}

// Opens an input: "FILE: File not found" and the like.
inline textio::TextReader openInput(const std::filesystem::path& file) {
    return reading(file, [&file] { return textio::TextReader::openFile(file); });
}

// Runs `read` over `in`, which reads `file`: the core's error becomes "FILE: línea N: TEXT",
// the line the reader was reading when the error came. A failed write ("Disk full") is the
// output's, not the input's, and goes on as it is.
template <class Read>
auto readingLines(const std::filesystem::path& file, textio::TextReader& in, Read&& read)
    -> decltype(read()) {
    try {
        return read();
    } catch (const textio::AppError& e) {
        if (std::string_view(e.what()) == textio::msg::diskFull)
            throw;
        failOn(file, e.what(), in.lineNumber());
    }
}

// Creates the file an OutputFile stands for, failing in the name of its final path.
inline textio::TextWriter createOutput(const OutputFile& out) {
    return reading(out.finalPath(), [&out] { return textio::TextWriter::create(out.path()); });
}

// An output that is one of the inputs is refused before anything is written.
inline void refuseInputAsOutput(std::initializer_list<std::filesystem::path> inputs,
                                const OutputFile& out) {
    if (!out.toStandardOutput())
        textio::ensureDistinct(inputs, out.finalPath());
}

// Says on standard error that the window would have read only the first `capacity` records of
// a file that holds `records`; the command goes on with all of them.
inline void noteCapacity(const std::filesystem::path& file, std::size_t records,
                         std::size_t capacity, std::string_view what) {
    if (records <= capacity)
        return;
    std::cerr << "lineid-cli: " << file.string() << ": " << records << " " << what
              << "; la ventana solo lee los primeros " << capacity << ", aquí se usan todos\n";
}

} // namespace cli
