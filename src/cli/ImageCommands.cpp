// The commands on camera images: trace, split and crop. Each takes its settings as the texts the
// window's edit boxes hold (the typed text names the output, its integer value drives the core)
// and calls the core in the window's order; outputs are written whole or not at all.
#include "Commands.h"
#include "Common.h"
#include "WindowInputs.h"

#include "andor/AndorImage.h"
#include "andor/ImageSplit.h"
#include "textio/Convert.h"
#include "textio/Files.h"
#include "textio/TextReader.h"
#include "textio/TextWriter.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace cli {

namespace {

namespace fs = std::filesystem;

// Runs `write` on the output, naming the output in its error.
template <class Write> void writing(const OutputFile& out, Write&& write) {
    try {
        write();
    } catch (const textio::AppError& e) {
        failOn(out.finalPath(), e.what());
    }
}

// -- trace ---------------------------------------------------------------------------------------

struct TraceOptions {
    std::vector<fs::path> images;
    std::string frame;
    std::string index; // empty when not given: the mode's default
    std::string sum;   // likewise
    std::string mode = "column";
    std::string size;
    std::string output;
    CLI::Option* outputOption = nullptr;
};

// One image's trace, into `output` or, when that is empty, into the name the window gives it.
// No output may be one of the run's images.
void traceImage(const fs::path& image, std::span<const fs::path> images,
                const andor::TraceSettings& settings, const std::string& frameText,
                const std::string& indexText, const std::string& output) {
    fs::path name = output;
    if (output.empty()) {
        std::string derived =
            andor::traceName(image.string(), settings.mode, frameText, indexText) + ".dat";
        reading(image, [&] { textio::checkDerivedName(derived); });
        name = derived;
    }
    OutputFile out(name);
    if (!out.toStandardOutput())
        reading(image, [&] { textio::ensureDistinct(images, name); });
    auto in = reading(image, [&] { return andor::ImageStream::open(image); });
    textio::TextWriter writer = createOutput(out);
    try {
        andor::extractTrace(in, settings, [&](const andor::TracePoint& point) {
            writing(out, [&] { writer.writeLine(andor::traceFileLine(settings.mode, point)); });
        });
    } catch (const textio::AppError& e) {
        failOn(image, e.what(), in.lineNumber());
    }
    writing(out, [&] { writer.close(); });
    out.commit();
}

void runTrace(const TraceOptions& o) {
    if (o.outputOption->count() > 0 && o.images.size() > 1)
        throw CLI::ValidationError("-o", "solo con una imagen; con varias, cada traza lleva el "
                                         "nombre que le da la ventana");
    andor::TraceSettings settings;
    settings.geometry = parseSize(o.size);
    settings.mode = modeOf(o.mode);
    // "Renglones (abertura)" puts 512 and 1 into the window's boxes.
    const bool lineMode = settings.mode == andor::TraceMode::Line;
    const std::string indexText = !o.index.empty() ? o.index : lineMode ? "512" : "47";
    const std::string sumText = !o.sum.empty() ? o.sum : lineMode ? "1" : "5";
    // The texts are checked already; the half-width is refused as the window refuses it.
    settings.halfWidth = textio::strToInt(sumText);
    settings.frame = textio::strToInt(o.frame);
    settings.traceIndex = textio::strToInt(indexText);
    try {
        andor::checkHalfWidth(settings);
    } catch (const textio::AppError& e) {
        throw CLI::ValidationError("--sum", e.what());
    }
    Progress progress("trace", o.images.size());
    for (const fs::path& image : o.images) {
        traceImage(image, o.images, settings, o.frame, indexText, o.output);
        progress.step();
    }
}

// -- split and crop ------------------------------------------------------------------------------

struct CutOptions {
    fs::path image;
    std::string frame = "1"; // split has no frame to choose
    std::string first;
    std::string last;
    std::string size;
};

struct Cut {
    int linesPerFrame = 0;
    int frame = 1;
    andor::LineBand band;
    textio::TextReader in;
    std::string base; // the start of the output names
};

// The window's common start: the settings, then the image opened and its base name.
Cut startCut(const CutOptions& o) {
    const int linesPerFrame = parseSize(o.size).lines;
    const int frame = textio::strToInt(o.frame);
    const andor::LineBand band{textio::strToInt(o.first), textio::strToInt(o.last)};
    return {linesPerFrame, frame, band, openInput(o.image),
            andor::imageBaseName(o.image.filename().string())};
}

void runSplit(const CutOptions& o) {
    Cut cut = startCut(o);
    reading(o.image, [&] { andor::ensureSplitKeepsInput(o.image, cut.base, {}); });
    // Each frame's file is committed once it is closed, that is when the next one is created or
    // the split ends; a failure leaves the files of the frames before it. An error is about the
    // file being written, or about the image before the first one.
    std::unique_ptr<OutputFile> current;
    try {
        andor::splitFrames(
            cut.in, cut.linesPerFrame, cut.band,
            [&](int k) {
                if (current) {
                    current->commit();
                    current.reset();
                }
                std::string name = andor::splitFileName(cut.base, k);
                textio::ensureDistinct(o.image, name);
                current = std::make_unique<OutputFile>(name);
                return textio::TextWriter::create(current->path());
            },
            [](int) {});
    } catch (const textio::AppError& e) {
        failOn(current ? current->finalPath() : o.image, e.what());
    }
    if (current)
        current->commit();
}

void runCrop(const CutOptions& o) {
    Cut cut = startCut(o);
    OutputFile out(andor::cropFileName(cut.base, o.frame));
    reading(o.image, [&] { refuseInputAsOutput({o.image}, out); });
    textio::TextWriter writer = createOutput(out);
    writing(out, [&] {
        andor::cropFrame(cut.in, cut.linesPerFrame, cut.frame, cut.band, writer);
        writer.close();
    });
    out.commit();
}

void addImageOption(CLI::App& command, fs::path& image) {
    command.add_option("IMAGE", image, "Archivo de imagen de la cámara (.asc)")->required();
}

void addFrameOption(CLI::App& command, std::string& frame) {
    addEditOption(command, "--frame", frame, "1", EditText::Integer,
                  "Cuadro («Cuadro»); el texto escrito da nombre a la salida");
}

void addBandOptions(CLI::App& command, CutOptions& o) {
    addEditOption(command, "--first", o.first, "190", EditText::Integer,
                  "Primer renglón que se guarda de cada cuadro («Renglón inicial»)");
    addEditOption(command, "--last", o.last, "810", EditText::Integer,
                  "Último renglón que se guarda de cada cuadro («Renglón final»)");
}

} // namespace

void addTraceCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "trace", "Extrae la traza de un cuadro de cada imagen, como «Traza en color»");
    auto o = std::make_shared<TraceOptions>();
    command
        ->add_option("IMAGE", o->images,
                     "Archivos de imagen de la cámara (.asc); la traza de cada una se escribe "
                     "como <base>_c<cuadro>_y<índice>.dat (_r en modo line) en la carpeta actual")
        ->required()
        ->default_str("");
    addFrameOption(*command, o->frame);
    addEditOption(*command, "--index", o->index, "", EditText::Integer,
                  "Columna (modo column) o renglón (modo line) de la traza («columna», "
                  "«renglon») [47; 512 en modo line]");
    addEditOption(*command, "--sum", o->sum, "", EditText::Integer,
                  "Semiancho de la ventana sumada en modo column, 1 sin suma («Suma pixeles "
                  "vertical») [5; 1 en modo line]");
    addModeOption(*command, o->mode,
                  "column: una columna de cada renglón, un espectro («Columnas (color)»); "
                  "line: un renglón, la abertura («Renglones (abertura)»)");
    addSizeOption(*command, o->size);
    o->outputOption = command->add_option(
        "-o,--output", o->output,
        "Archivo de salida en lugar del nombre de la ventana, solo con una imagen; - es la salida "
        "estándar");
    command->callback([o] { runTrace(*o); });
}

void addSplitCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("split", "Divide una imagen en sus cuadros, como «Todos»");
    command->footer("Escribe <base>_c<k>.asc por cada cuadro k en la carpeta actual.");
    auto o = std::make_shared<CutOptions>();
    addImageOption(*command, o->image);
    addSizeOption(*command, o->size);
    addBandOptions(*command, *o);
    command->callback([o] { runSplit(*o); });
}

void addCropCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("crop", "Recorta un cuadro de una imagen, como «un cuadro»");
    command->footer("Escribe <base>_c<cuadro>.dat en la carpeta actual.");
    auto o = std::make_shared<CutOptions>();
    addImageOption(*command, o->image);
    addFrameOption(*command, o->frame);
    addSizeOption(*command, o->size);
    addBandOptions(*command, *o);
    command->callback([o] { runCrop(*o); });
}

} // namespace cli
