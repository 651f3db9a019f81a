// The plot command: the spectrum and its line sets as a figure for print.
#include "Commands.h"
#include "Common.h"
#include "Figure.h"
#include "WindowInputs.h"

#include "plot/PlotScale.h"
#include "store/SpectrumStore.h"
#include "textio/Files.h"
#include "textio/NumberText.h"
#include "textio/TextReader.h"

#include <CLI/CLI.hpp>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace cli {

namespace {

constexpr int smallestSide = 100;
constexpr int largestSide = 16000;
constexpr double largestArea = 1e8;

struct Limit {
    CLI::Option* option = nullptr;
    double value = 0;
    bool given() const { return option->count() > 0; }
};

struct PlotOptions {
    std::string spectrum;
    std::vector<std::string> lines;
    std::vector<double> mults;
    double shift = 0;
    bool noLabels = false;
    Limit xMin, xMax, yMin, yMax;
    std::string size = "1600x1000";
    int dpi = 150;
    std::string output;
};

int side(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return value;
}

figure::Page pageOf(const PlotOptions& o) {
    figure::Page page;
    page.dpi = o.dpi;
    auto x = o.size.find('x');
    if (x != std::string::npos) {
        page.width = side(std::string_view(o.size).substr(0, x));
        page.height = side(std::string_view(o.size).substr(x + 1));
    }
    auto fits = [](int s) { return s >= smallestSide && s <= largestSide; };
    if (x == std::string::npos || !fits(page.width) || !fits(page.height) ||
        double(page.width) * page.height > largestArea)
        throw CLI::ValidationError("--size", "tamaño no válido: " + o.size +
                                                 " (ANCHOxALTO en píxeles, de 100 a 16000 por "
                                                 "lado y hasta 100 millones de píxeles)");
    return page;
}

void requireFinite(const std::string& name, double value) {
    if (!std::isfinite(value))
        throw CLI::ValidationError(name, "debe ser un número finito");
}

figure::Format formatOf(const std::string& output) {
    auto format = figure::formatOf(output);
    if (!format)
        throw CLI::ValidationError("--output",
                                   "la extensión de " + output + " no es .png, .svg ni .pdf");
    return *format;
}

void checkOptions(const PlotOptions& o) {
    if (o.lines.size() > plot::lineSetCount)
        throw CLI::ValidationError("--lines", "como mucho seis juegos de líneas (hay " +
                                                  std::to_string(o.lines.size()) + ")");
    if (!o.mults.empty() && o.mults.size() != o.lines.size())
        throw CLI::ValidationError(
            "--mult",
            "un multiplicador por juego de líneas (juegos: " + std::to_string(o.lines.size()) +
                ", multiplicadores: " + std::to_string(o.mults.size()) + ")");
    for (double m : o.mults)
        requireFinite("--mult", m);
    requireFinite("--shift", o.shift);
    if (o.dpi < 10 || o.dpi > 2400)
        throw CLI::ValidationError("--dpi", "resolución no válida: " + std::to_string(o.dpi) +
                                                " (de 10 a 2400)");
    for (const Limit* l : {&o.xMin, &o.xMax, &o.yMin, &o.yMax})
        requireFinite(l->option->get_name(), l->value);
}

void note(const std::string& file, const std::string& text) {
    std::cerr << "lineid-cli: " << file << ": " << text << "\n";
}

// A bad number is named with its line.
store::WholeFile readWhole(const std::string& path, store::WholeFile (*read)(textio::TextReader&)) {
    reading(path, [&] { textio::checkInputFile(path); });
    textio::TextReader in = openInput(path);
    return readingLines(path, in, [&] { return read(in); });
}

// `what` names the records with their article and drawn form: "puntos", "los", "todos".
struct Records {
    const char* name;
    const char* article;
    const char* all;
};

void noteBeyondCapacity(const std::string& path, std::size_t count, int capacity,
                        const Records& what) {
    if (count > static_cast<std::size_t>(capacity))
        note(path, std::to_string(count) + " " + what.name + ", más de " + what.article + " " +
                       std::to_string(capacity) + " que admite la ventana; se dibujan " + what.all);
}

// One end of the plot range: the option when given, the spectrum's bound otherwise.
double limitOf(const Limit& l, double bound) {
    return l.given() ? l.value : bound;
}

void checkRange(const PlotOptions& o, const Limit& low, const Limit& high, double min, double max,
                const char* quantity) {
    if (max > min && std::isfinite(max - min))
        return;
    const std::string problem = std::string("el intervalo de ") + quantity +
                                (max > min ? " es demasiado amplio" : " queda vacío") + " (de " +
                                textio::generalFormat(min) + " a " + textio::generalFormat(max) +
                                ")";
    if (!low.given() && !high.given())
        failOn(o.spectrum, problem + "; indíquelo con " + low.option->get_name() + " y " +
                               high.option->get_name());
    throw CLI::ValidationError(low.option->get_name() + "/" + high.option->get_name(), problem);
}

plot::PlotLimits limitsOf(const PlotOptions& o, const store::Bounds& b) {
    plot::PlotLimits l{limitOf(o.xMax, b.xMax), limitOf(o.xMin, b.xMin), limitOf(o.yMax, b.yMax),
                       limitOf(o.yMin, b.yMin)};
    checkRange(o, o.xMin, o.xMax, l.xMin, l.xMax, "longitudes de onda");
    checkRange(o, o.yMin, o.yMax, l.yMin, l.yMax, "intensidades");
    return l;
}

figure::LineSet lineSetOf(const std::string& path, int slot, double mult,
                          const plot::PlotLimits& limits) {
    store::WholeFile lines = readWhole(path, store::readWholeReference);
    noteBeyondCapacity(path, lines.x.size(), store::referenceCapacity, {"líneas", "las", "todas"});
    bool anyVisible = false;
    for (double x : lines.x)
        anyVisible = anyVisible || plot::isVisible(x, limits.xMin, limits.xMax);
    if (lines.x.empty())
        note(path, "el archivo no tiene líneas");
    else if (!anyVisible)
        note(path, "ninguna línea entre " + textio::generalFormat(limits.xMin) + " y " +
                       textio::generalFormat(limits.xMax) + " nm");
    return {path,
            std::move(lines.x),
            std::move(lines.y),
            std::move(lines.labels),
            lines.bounds.yMin,
            mult,
            slot};
}

figure::Content contentOf(const PlotOptions& o) {
    store::WholeFile spectrum = readWhole(o.spectrum, store::readWholeExperimental);
    if (spectrum.x.empty())
        failOn(o.spectrum, "el espectro no tiene puntos");
    noteBeyondCapacity(o.spectrum, spectrum.x.size(), store::experimentalCapacity,
                       {"puntos", "los", "todos"});
    figure::Content c;
    c.spectrumFile = o.spectrum;
    c.limits = limitsOf(o, spectrum.bounds);
    if (std::none_of(spectrum.x.begin(), spectrum.x.end(),
                     [&](double x) { return plot::isVisible(x, c.limits.xMin, c.limits.xMax); }))
        note(o.spectrum, "ningún punto entre " + textio::generalFormat(c.limits.xMin) + " y " +
                             textio::generalFormat(c.limits.xMax) + " nm");
    c.x = std::move(spectrum.x);
    c.y = std::move(spectrum.y);
    c.shift = o.shift;
    c.withLabels = !o.noLabels;
    for (std::size_t k = 0; k < o.lines.size(); ++k)
        c.sets.push_back(lineSetOf(o.lines[k], static_cast<int>(k + 1),
                                   o.mults.empty() ? 1.0 : o.mults[k], c.limits));
    return c;
}

// Qt's own notes (a missing runtime folder, say) are not for the user of a command; its errors
// still are.
void qtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "lineid-cli: " << text.toStdString() << "\n";
}

// Fonts need a QGuiApplication. The command never shows a window, so it draws offscreen and
// needs no display.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QGuiApplication::instance() != nullptr)
        return nullptr;
    qInstallMessageHandler(qtErrorsOnly);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "lineid-cli";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    // Qt takes the environment's locale; numbers keep their ".".
    std::setlocale(LC_NUMERIC, "C");
    return app;
}

void write(const PlotOptions& o, figure::Format format, const figure::Page& page,
           const figure::Content& content) {
    OutputFile out(o.output);
    int fd = ::open(out.path().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        failOn(o.output, std::string("no se pudo crear: ") + std::strerror(errno));
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        failOn(o.output, "no se pudo crear");
    }
    try {
        figure::writeFigure(file, format, page, content);
    } catch (const figure::FigureError& e) {
        failOn(e.file.empty() ? std::filesystem::path(o.output) : e.file, e.what());
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        failOn(o.output, "no se pudo escribir: " + file.errorString().toStdString());
    out.commit();
}

void run(const PlotOptions& o) {
    checkOptions(o);
    const figure::Page page = pageOf(o);
    const figure::Format format = formatOf(o.output);
    std::vector<std::filesystem::path> inputs{o.spectrum};
    inputs.insert(inputs.end(), o.lines.begin(), o.lines.end());
    reading(o.output, [&] { textio::ensureDistinct(inputs, o.output); });
    const figure::Content content = contentOf(o);
    auto app = guiApplication();
    write(o, format, page, content);
}

void addLimit(CLI::App& command, Limit& limit, const std::string& name,
              const std::string& description) {
    limit.option = command.add_option(name, limit.value, description);
    limit.option->default_str("");
}

} // namespace

void addPlotCommand(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("plot", "Dibuja el espectro con sus juegos de líneas en PNG, SVG o PDF");
    auto o = std::make_shared<PlotOptions>();
    command
        ->add_option("ESPECTRO", o->spectrum,
                     "Espectro experimental (longitud de onda en nm e intensidad)")
        ->required()
        ->default_str("");
    command
        ->add_option("--lines", o->lines,
                     "Archivos de líneas de referencia, hasta seis juegos (longitud de onda en Å, "
                     "intensidad e ion)")
        ->expected(1, -1)
        ->default_str("");
    command
        ->add_option("--mult", o->mults,
                     "Multiplicador de la altura de cada juego de líneas, uno por juego (1 cada "
                     "uno)")
        ->expected(1, -1)
        ->default_str("");
    command
        ->add_option("--shift", o->shift,
                     "Corrimiento sumado a la longitud de onda de todas las líneas (nm)")
        ->capture_default_str();
    command->add_flag("--no-labels", o->noLabels, "No escribe el ion junto a cada línea");
    addLimit(*command, o->xMin, "--xmin", "Longitud de onda mínima (nm; la del espectro si falta)");
    addLimit(*command, o->xMax, "--xmax", "Longitud de onda máxima (nm; la del espectro si falta)");
    addLimit(*command, o->yMin, "--ymin", "Intensidad mínima (la del espectro si falta)");
    addLimit(*command, o->yMax, "--ymax", "Intensidad máxima (la del espectro si falta)");
    command
        ->add_option("--size", o->size,
                     "Tamaño de la figura en píxeles, ANCHOxALTO; los textos se leen bien con la "
                     "figura impresa al ancho de una columna")
        ->capture_default_str();
    command
        ->add_option("--dpi", o->dpi,
                     "Resolución en puntos por pulgada, de 10 a 2400 (fija el tamaño impreso)")
        ->capture_default_str();
    command
        ->add_option("-o,--output", o->output,
                     "Figura que se escribe: .png, .svg o .pdf según la extensión")
        ->required()
        ->default_str("");
    command->callback([o] { run(*o); });
}

} // namespace cli
