// The ratios command: line-intensity ratios over many camera images, the lines "Extrae traza
// espectro" writes, with the images read on several threads.
#include "Commands.h"
#include "Common.h"
#include "WindowInputs.h"

#include "andor/AndorImage.h"
#include "eva/LineRatio.h"
#include "eva/ParallelRatioRun.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <limits>
#include <memory>
#include <sched.h>
#include <thread>
#include <vector>

namespace cli {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t unlimited = std::numeric_limits<std::size_t>::max();

struct RatiosOptions {
    std::string list;
    std::string sequence;
    std::vector<std::string> images;
    std::vector<std::string> fibres;
    std::string line1;
    std::string ref1;
    std::string ar;
    std::string background;
    std::string frame;
    std::string sum;
    std::string mode = "column";
    std::string size;
    std::string jobs;
    std::string part;
    std::string output = "RazonInt.dat";
    CLI::Option* sumOption = nullptr;
};

// "I/N": the part's number and the number of parts; nothing when the text is not that.
std::optional<std::pair<std::size_t, std::size_t>> partOf(std::string_view text) {
    auto slash = text.find('/');
    std::size_t part = 0;
    std::size_t parts = 0;
    auto whole = [](std::string_view t, std::size_t& v) {
        auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), v);
        return error == std::errc() && end == t.data() + t.size() && v > 0;
    };
    if (slash == std::string_view::npos || !whole(text.substr(0, slash), part) ||
        !whole(text.substr(slash + 1), parts) || part > parts)
        return std::nullopt;
    return std::pair{part, parts};
}

// The images of the file list, each found where the window finds it (a name without a folder in
// the list's folder), as many as it holds.
std::vector<eva::RunImage> listedImages(const fs::path& list) {
    auto in = openInput(list);
    auto read = readingLines(list, in, [&] { return eva::readFileList(in, unlimited); });
    noteCapacity(list, read.entries.size(), eva::fileListCapacity, "nombres");
    std::vector<eva::RunImage> images;
    for (std::string& name : read.entries) {
        fs::path path = textio::listedFile(name, list.parent_path());
        images.push_back({std::move(name), std::move(path)});
    }
    return images;
}

std::vector<eva::RunImage> givenImages(const std::vector<std::string>& names) {
    noteCapacity("--images", names.size(), eva::fileListCapacity, "nombres");
    std::vector<eva::RunImage> images;
    for (const std::string& name : names)
        images.push_back({name, name});
    return images;
}

std::vector<int> sequenceFibres(const fs::path& sequence) {
    auto in = openInput(sequence);
    auto read = readingLines(sequence, in, [&] { return eva::readSequence(in, unlimited); });
    noteCapacity(sequence, read.entries.size(), eva::sequenceCapacity, "renglones");
    std::vector<int> fibres;
    for (const eva::SequenceEntry& entry : read.entries)
        fibres.push_back(entry.fibre);
    return fibres;
}

std::vector<int> givenFibres(const std::vector<std::string>& texts) {
    noteCapacity("--fibres", texts.size(), eva::sequenceCapacity, "números de fibra");
    std::vector<int> fibres;
    for (const std::string& text : texts)
        fibres.push_back(textio::strToInt(text)); // checked when the options were read
    return fibres;
}

eva::RatioRunSettings runSettings(const RatiosOptions& o) {
    eva::RatioRunSettings s;
    s.trace.geometry = parseSize(o.size);
    s.trace.mode = modeOf(o.mode);
    s.trace.frame = textio::strToInt(o.frame);
    // "Renglones (abertura)" puts 1 in the summing box.
    bool lineDefault = s.trace.mode == andor::TraceMode::Line && o.sumOption->count() == 0;
    s.trace.halfWidth = lineDefault ? 1 : textio::strToInt(o.sum);
    try {
        andor::checkHalfWidth(s.trace);
    } catch (const textio::AppError& e) {
        throw CLI::ValidationError("--sum", e.what());
    }
    s.lambda = {textio::strToFloat(o.line1), textio::strToFloat(o.ref1), textio::strToFloat(o.ar),
                textio::strToFloat(o.background)};
    return s;
}

// A failure of the run, named after the image (and the fibre whose ratios failed).
[[noreturn]] void reportRunFailure(const eva::RunFailure& e) {
    std::string text = e.what();
    if (e.fibre())
        text = "fibra " + std::to_string(*e.fibre()) + ": " + text;
    failOn(e.image().path, text);
}

// The results may be none of the inputs, nor a folder (the window cannot create them there
// either); both are said before the run.
void refuseOutput(const RatiosOptions& o, std::span<const eva::RunImage> images,
                  const OutputFile& out) {
    if (out.toStandardOutput())
        return;
    std::vector<fs::path> inputs;
    for (const std::string& file : {o.list, o.sequence})
        if (!file.empty())
            inputs.emplace_back(file);
    for (const eva::RunImage& image : images)
        inputs.push_back(image.path);
    reading(out.finalPath(), [&] { textio::ensureDistinct(inputs, out.finalPath()); });
    std::error_code ec;
    if (fs::is_directory(out.finalPath(), ec))
        failOn(out.finalPath(), textio::msg::accessDenied);
}

// The images to run: all, or for --part I/N the I-th of N runs of the list in a row, with the
// quantities the whole run carries into it put in `state`.
std::span<const eva::RunImage> imagesToRun(const std::string& partText,
                                           std::span<const eva::RunImage> images,
                                           std::span<const int> fibres,
                                           const eva::RatioRunSettings& settings,
                                           eva::RatioState& state) {
    auto part = partOf(partText);
    if (!part)
        return images;
    std::size_t first = (part->first - 1) * images.size() / part->second;
    std::size_t last = part->first * images.size() / part->second;
    try {
        state = eva::stateCarriedInto(images, first, fibres, settings);
    } catch (const eva::RunFailure& e) {
        reportRunFailure(e);
    }
    return images.subspan(first, last - first);
}

void runRatiosCommand(const RatiosOptions& o) {
    const eva::RatioRunSettings settings = runSettings(o);
    const int jobs = textio::strToInt(o.jobs);
    std::vector<eva::RunImage> images =
        o.list.empty() ? givenImages(o.images) : listedImages(o.list);
    std::vector<int> fibres =
        o.sequence.empty() ? givenFibres(o.fibres) : sequenceFibres(o.sequence);
    OutputFile out(o.output);
    refuseOutput(o, images, out);
    eva::RatioState state;
    std::span<const eva::RunImage> run = imagesToRun(o.part, images, fibres, settings, state);

    auto writer = createOutput(out);
    Progress progress("ratios", run.size());
    std::size_t pairs = 0;
    auto countImages = [&](const eva::RunImage&, int, const eva::RatioState&) {
        if (++pairs % fibres.size() == 0)
            progress.step();
    };
    try {
        eva::runRatiosInParallel(run, fibres, settings, jobs, state, writer, countImages);
    } catch (const eva::RunFailure& e) {
        reportRunFailure(e);
    } catch (const textio::AppError& e) {
        failOn(out.finalPath(), e.what());
    }
    out.commit();
}

// The cores this process may run on (those a batch system gives it), else the machine's.
std::string defaultJobs() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0)
        return std::to_string(CPU_COUNT(&allowed));
    return std::to_string(std::max(1U, std::thread::hardware_concurrency()));
}

void addInputOptions(CLI::App& command, RatiosOptions& o) {
    auto* list = command
                     .add_option("--list", o.list,
                                 "Lista de imágenes, un nombre por línea (los nombres sin carpeta, "
                                 "en la carpeta de la "
                                 "lista), como «Lee Lista de &Archivos»")
                     ->type_name("ARCHIVO");
    auto* images = command.add_option("--images", o.images, "Las imágenes, en vez de una lista")
                       ->type_name("IMAGEN")
                       ->default_str("");
    list->excludes(images);
    auto* sequence = command
                         .add_option("--sequence", o.sequence,
                                     "Secuencia: número de secuencia y número de fibra por línea, "
                                     "como «Lee &Secuencia de "
                                     "espectros»")
                         ->type_name("ARCHIVO");
    auto* fibres = command
                       .add_option("--fibres", o.fibres,
                                   "Los números de fibra, separados por comas, en vez de una "
                                   "secuencia")
                       ->delimiter(',')
                       ->type_name("K,K,...")
                       ->default_str("")
                       ->check(CLI::Validator(
                           [](std::string& text) -> std::string {
                               try {
                                   textio::strToInt(text);
                                   return {};
                               } catch (const textio::AppError& e) {
                                   return e.what();
                               }
                           },
                           "", "fibra"));
    sequence->excludes(fibres);
}

void addSettingOptions(CLI::App& command, RatiosOptions& o) {
    addEditOption(command, "--line1", o.line1, "406.57", EditText::Real,
                  "Longitud de onda de la línea 1, nm («Color 1»)");
    addEditOption(command, "--ref1", o.ref1, "405.54", EditText::Real,
                  "Longitud de onda de la línea de referencia 1, nm («Color ref 1»)");
    addEditOption(command, "--ar", o.ar, "415.16", EditText::Real,
                  "Longitud de onda de la línea de argón, nm («Linea Ar»)");
    addEditOption(command, "--background", o.background, "402", EditText::Real,
                  "Longitud de onda de la luz de fondo, nm («Luz de fondo @»)");
    addEditOption(command, "--frame", o.frame, "1", EditText::Integer,
                  "Cuadro de cada imagen («Cuadro»)");
    o.sumOption = addEditOption(command, "--sum", o.sum, "5", EditText::Integer,
                                "Suma pixeles vertical: semiancho de la suma en modo column (1 "
                                "en modo line)");
    addModeOption(command, o.mode,
                  "column: la traza de cada fibra a lo largo del cuadro («Columnas (color)»); "
                  "line: el renglón de cada fibra («Renglones (abertura)»)");
    addSizeOption(command, o.size);
}

void addRunOptions(CLI::App& command, RatiosOptions& o) {
    addEditOption(
        command, "--jobs", o.jobs, defaultJobs(), EditText::Integer,
        "Hilos que leen las imágenes a la vez (por omisión, uno por núcleo); el resultado no "
        "cambia",
        [](double v) { return v >= 1 ? std::string() : std::string("debe ser 1 o más"); });
    command
        .add_option("--part", o.part,
                    "Solo la parte I de N de la lista (partes seguidas de igual tamaño), con lo "
                    "que la corrida entera arrastra hasta ella: las salidas de las N partes, "
                    "juntas en orden, son las de la corrida entera")
        ->type_name("I/N")
        ->check(CLI::Validator(
            [](std::string& text) {
                return partOf(text) ? std::string()
                                    : "parte no válida: " + text + " (I/N, con 1 <= I <= N)";
            },
            "", "parte"));
    command
        .add_option("-o,--output", o.output,
                    "Resultados: «####  imagen» y un renglón por fibra; - es la salida estándar")
        ->capture_default_str()
        ->type_name("ARCHIVO");
}

} // namespace

void addRatiosCommand(CLI::App& app) {
    auto o = std::make_shared<RatiosOptions>();
    CLI::App* command = app.add_subcommand(
        "ratios",
        "Razones de intensidad de líneas de muchas imágenes, como «Extrae traza espectro»");
    addInputOptions(*command, *o);
    addSettingOptions(*command, *o);
    addRunOptions(*command, *o);
    command->callback([o] {
        if (o->list.empty() && o->images.empty())
            throw CLI::RequiredError("--list/--images");
        if (o->sequence.empty() && o->fibres.empty())
            throw CLI::RequiredError("--sequence/--fibres");
        runRatiosCommand(*o);
    });
}

} // namespace cli
