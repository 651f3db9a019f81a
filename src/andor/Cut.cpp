// TCortaDivide, the window for splitting and cropping of camera image files.
#include "Cut.h"

#include "andor/AndorImage.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Text.h"
#include "textio/Files.h"

TCortaDivide* CortaDivide = nullptr;

namespace {

using platform::button;
using platform::edit;
using platform::label;
using platform::named;
using platform::radio;

// Creates an output file, refusing one that would replace the input file.
textio::TextWriter createOutput(const QString& input, const std::string& name) {
    textio::ensureDistinct(platform::toPath(input), std::filesystem::path(name));
    return textio::TextWriter::create(std::filesystem::path(name));
}

} // namespace

TCortaDivide::TCortaDivide()
    : Form(QStringLiteral("CortaDivide"),
           QStringLiteral("Corta archivo Andor en subimagenes y las recorta al gusto"), 696, 480) {
    setPlacement(platform::Placement::Design, QPoint(216, 223));
    createControls();
    platform::onClick(btLeeArch, this, &TCortaDivide::btLeeArchClick);
    platform::onClick(Button2, this, &TCortaDivide::Button2Click);
}

void TCortaDivide::createControls() {
    QWidget* area = clientArea();
    Label8 = label(area, "Label8", QStringLiteral("Archivo:"), {16, 14, 60, 22});
    lbAndorArch = label(area, "lbAndorArch", QStringLiteral("......."), {80, 14, 320, 22});

    GroupBox2 = named(new QGroupBox(QStringLiteral("Imagen Original"), area), "GroupBox2",
                      {16, 48, 170, 84});
    rb1024x256 = radio(GroupBox2, "rb1024x256", QStringLiteral("1024x256"), {10, 24, 150, 22});
    rb1024x256->setChecked(true);
    rb2048x2048 = radio(GroupBox2, "rb2048x2048", QStringLiteral("2048x2048"), {10, 52, 150, 22});

    GroupBox3 =
        named(new QGroupBox(QStringLiteral("Cuadros"), area), "GroupBox3", {200, 48, 200, 84});
    rbUno = radio(GroupBox3, "rbUno", QStringLiteral("un cuadro"), {10, 24, 110, 22});
    rbUno->setChecked(true);
    edCuadroN = edit(GroupBox3, "edCuadroN", QStringLiteral("1"), {126, 22, 60, 26});
    rbTodos = radio(GroupBox3, "rbTodos", QStringLiteral("Todos"), {10, 52, 110, 22});

    GroupBox1 =
        named(new QGroupBox(QStringLiteral("Recorta de"), area), "GroupBox1", {16, 144, 384, 92});
    Label1 = label(GroupBox1, "Label1", QStringLiteral("Renglón inicial"), {10, 26, 130, 22});
    edRenIni = edit(GroupBox1, "edRenIni", QStringLiteral("190"), {150, 24, 80, 26});
    Label2 = label(GroupBox1, "Label2", QStringLiteral("Renglón final"), {10, 58, 130, 22});
    edRenFin = edit(GroupBox1, "edRenFin", QStringLiteral("810"), {150, 56, 80, 26});

    Label3 = label(area, "Label3", QStringLiteral("Tamaño actual"), {16, 250, 130, 22});
    lbTamanio = label(area, "lbTamanio", QStringLiteral("0"), {150, 250, 100, 22});

    ListBox1 = named(new platform::ListBox(area), "ListBox1", {420, 14, 256, 340});
    btLeeArch =
        button(area, "btLeeArch", QStringLiteral("&Lee archivo imagen"), {16, 290, 184, 34});
    Button2 = button(area, "Button2", QStringLiteral("&Regresa"), {216, 290, 120, 34});
    OpenDialog1 = new platform::OpenDialog(QStringLiteral("OpenDialog1"), QString(), this);
}

void TCortaDivide::btLeeArchClick() {
    if (!OpenDialog1->execute())
        return;
    const int linesPerFrame = rb1024x256->isChecked() ? 1024 : 2048;
    const int frame = platform::integerOf(edCuadroN);
    const andor::LineBand band{platform::integerOf(edRenIni), platform::integerOf(edRenFin)};
    const QString input = OpenDialog1->fileName();
    auto in = textio::TextReader::openFile(platform::toPath(input));
    lbAndorArch->setText(platform::fileNameOnly(input));
    ListBox1->clear();
    const std::string base =
        andor::imageBaseName(platform::toFileText(platform::fileNameOnly(input)));
    lbAndorArch->setText(platform::fromFileText(base));
    if (rbTodos->isChecked())
        split(in, input, linesPerFrame, band, base);
    else
        crop(in, input, linesPerFrame, frame, band, base);
}

void TCortaDivide::split(textio::TextReader& in, const QString& input, int linesPerFrame,
                         andor::LineBand band, const std::string& base) {
    andor::ensureSplitKeepsInput(platform::toPath(input), base, {});
    andor::splitFrames(
        in, linesPerFrame, band,
        [&](int k) { return createOutput(input, andor::splitFileName(base, k)); },
        [this](int count) { ListBox1->add(QStringLiteral("Cuadro = %1").arg(count)); });
}

void TCortaDivide::crop(textio::TextReader& in, const QString& input, int linesPerFrame, int frame,
                        andor::LineBand band, const std::string& base) {
    auto out =
        createOutput(input, andor::cropFileName(base, platform::toFileText(edCuadroN->text())));
    andor::cropFrame(in, linesPerFrame, frame, band, out);
    out.close();
}

void TCortaDivide::Button2Click() {
    hide();
}
