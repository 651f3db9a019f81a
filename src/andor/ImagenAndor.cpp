// TAndorImagen, the image window: frame reading, painting and the cursor read-out.
#include "ImagenAndor.h"

#include "andor/AndorLee.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Text.h"
#include "plot/SpectrumPlot.h"
#include "store/Archivos.h"

TAndorImagen* AndorImagen = nullptr;

static_assert(andor::unpainted > 0xFFFFFF, "the canvas leaves such pixels as they are");

using platform::button;
using platform::edit;
using platform::label;
using platform::named;
using platform::radio;

namespace {

// The frame described in the header.
plot::FrameStyle imageStyle() {
    plot::FrameStyle s;
    s.leftFraction = 0.01;
    s.bottomFraction = 0.90;
    s.widthFraction = 0.95;
    s.heightFraction = 0.50;
    return s;
}

// The store's bounds, as the tick labels and the read-out take them.
plot::PlotLimits storeBounds() {
    return plot::experimentalBounds(Lee->store);
}

} // namespace

// The read-out takes the store's bounds as the lower limits; the frame draws no tick labels.
TAndorImagen::TAndorImagen()
    : Form(QStringLiteral("AndorImagen"), QStringLiteral("AndorImagen"), 894, 518),
      frame(*this, storeBounds, imageStyle()) {
    setPlacement(platform::Placement::Centred);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    createControls();
    connectHandlers();
    FormCreate();
}

// Every control lies above the area the painting clears (from 0.4 of the height down).
void TAndorImagen::createControls() {
    GroupBox1 = named(new QGroupBox(QStringLiteral("Dibuja un cuadro de Andor"), clientArea()),
                      "GroupBox1", {4, 0, 636, 172});
    QWidget* g = GroupBox1;
    Label1 = label(g, "Label1", QStringLiteral("Lee matriz Andor, "), {8, 18, 200, 18});
    Label2 = label(g, "Label2", QStringLiteral("lee un cuadro y lo  pinta."), {8, 36, 200, 18});

    GroupBox2 =
        named(new QGroupBox(QStringLiteral("Tamaño imagen"), g), "GroupBox2", {8, 58, 132, 106});
    rb1024x256 = radio(GroupBox2, "rb1024x256", QStringLiteral("1024x256"), {8, 20, 116, 22});
    rb1024x256->setChecked(true);
    rb2048x2048 = radio(GroupBox2, "rb2048x2048", QStringLiteral("2048x2048"), {8, 46, 116, 22});
    rbOtro = radio(GroupBox2, "rbOtro", QStringLiteral("&Otro"), {8, 72, 116, 22});
    lbOtro = label(g, "lbOtro", QStringLiteral("Imagen"), {148, 132, 50, 22});
    edPixHor = edit(g, "edPixHor", QStringLiteral("610"), {200, 130, 60, 24});
    lbX = label(g, "lbX", QStringLiteral("x"), {264, 132, 12, 22});
    lbX->setAlignment(Qt::AlignCenter);
    edPixVer = edit(g, "edPixVer", QStringLiteral("256"), {280, 130, 60, 24});

    Label8 = label(g, "Label8", QStringLiteral("Archivo:"), {148, 60, 56, 20});
    lbAndorArch = label(g, "lbAndorArch", QStringLiteral("......."), {206, 60, 196, 20});
    Label5 = label(g, "Label5", QStringLiteral("Posición"), {148, 88, 56, 22});
    lbCurPosic = label(g, "lbCurPosic", QStringLiteral("............."), {206, 86, 196, 24});
    QFont big = lbCurPosic->font();
    big.setPixelSize(16);
    lbCurPosic->setFont(big);
    platform::setTextColor(lbCurPosic, 0xFF0000);

    Label6 = label(g, "Label6", QStringLiteral("Suma pixeles vertical"), {412, 20, 130, 22});
    ednsum = edit(g, "ednsum", QStringLiteral("5"), {548, 18, 70, 24});
    Label4 = label(g, "Label4", QStringLiteral("Cuadro"), {412, 50, 130, 22});
    edCuadroN = edit(g, "edCuadroN", QStringLiteral("1"), {548, 48, 70, 24});
    btAndor = button(g, "btAndor", QStringLiteral("&Lee Imagen"), {412, 88, 100, 30});
    btGraf = button(g, "btGraf", QStringLiteral("&Pinta Imagen"), {518, 88, 100, 30});

    QWidget* area = clientArea();
    ListBox1 = named(new platform::ListBox(area), "ListBox1", {646, 6, 244, 98});
    Button2 = button(area, "Button2", QStringLiteral("&Captura Linea"), {646, 112, 118, 28});
    Button1 = button(area, "Button1", QStringLiteral("&Regresar"), {770, 112, 120, 28});
    OpenDialog1 = new platform::OpenDialog(QStringLiteral("OpenDialog1"),
                                           QStringLiteral("*.asc|*.asc|*.dat|*.dat"), this);
}

void TAndorImagen::connectHandlers() {
    platform::onClick(btAndor, this, &TAndorImagen::btAndorClick);
    platform::onClick(btGraf, this, &TAndorImagen::btGrafClick);
    platform::onClick(rbOtro, this, &TAndorImagen::rbOtroClick);
    platform::onClick(rb1024x256, this, &TAndorImagen::rb1024x256Click);
    platform::onClick(rb2048x2048, this, &TAndorImagen::rb2048x2048Click);
    platform::onClick(Button2, this, &TAndorImagen::Button2Click);
    platform::onClick(Button1, this, &TAndorImagen::Button1Click);
}

void TAndorImagen::FormCreate() {
    nSum = platform::integerOf(ednsum);
    frameNumber = platform::integerOf(edCuadroN);
    showTypedSize(false);
}

void TAndorImagen::showTypedSize(bool visible) {
    lbOtro->setVisible(visible);
    edPixVer->setVisible(visible);
    edPixHor->setVisible(visible);
    lbX->setVisible(visible);
}

andor::FrameRequest TAndorImagen::sizeFromControls() const {
    if (rb1024x256->isChecked())
        return {1024, 256};
    if (rb2048x2048->isChecked())
        return {2048, 2048};
    andor::FrameRequest typed{platform::integerOf(edPixHor), platform::integerOf(edPixVer)};
    andor::checkImageSize(typed.lines, typed.columns);
    return typed;
}

void TAndorImagen::btAndorClick() {
    if (!OpenDialog1->execute())
        return;
    andor::FrameRequest request = sizeFromControls();
    imageLines = request.lines;
    imageColumns = request.columns;
    if (rbOtro->isChecked())
        edCuadroN->setText(QStringLiteral("1"));
    nSum = platform::integerOf(ednsum);
    frameNumber = platform::integerOf(edCuadroN);
    request.frameNumber = frameNumber;
    const QString path = OpenDialog1->fileName();
    auto in = andor::ImageStream::open(platform::toPath(path));
    // Room for the lines the file can fill before anything else changes, so that a frame too
    // large changes nothing; a smaller frame gives back what it does not need.
    imageValues.fit(andor::linesHeld(request, in.size()), request.columns);
    lbAndorArch->setText(platform::fileNameOnly(path));
    ListBox1->clear();
    andor::readFrame(in, request, imageValues, imageMax, imageMin);
}

void TAndorImagen::btGrafClick() {
    frame.SetupFrame();
    frame.ClearPlot();
    // Fixed divisors, whatever the size of the frame.
    xScale = frame.frameWidth / 1024.0;
    yScale = frame.frameHeight / 256.0;
    double scale = andor::levelScale(imageMax, imageMin);
    andor::PaintArea area{imageLines, imageColumns, frame.frameBottom, frame.clientWidth,
                          frame.clientHeight};
    andor::PixelBlock block = andor::paintBlock(imageValues, area, imageMin, scale);
    canvas().setPixels(block.x, block.y, block.width, block.height, block.colours);
}

void TAndorImagen::PaintPixel(int level, double p, double s) {
    std::uint32_t colour = andor::colourOf(level);
    if (colour != andor::unpainted)
        canvas().setPixel(plot::toPixel(s), frame.frameBottom - plot::toPixel(p), colour);
}

void TAndorImagen::FormMouseDown(const platform::MouseState& state) {
    if (!state.isPlainLeft() || !frame.frameReady)
        return;
    auto at = frame.valueAt(state.x, state.y, xScale, yScale, plot::experimentalBounds(Lee->store));
    lbCurPosic->setText(QString::fromStdString(plot::cursorText(at.x, at.y)));
}

void TAndorImagen::rbOtroClick() {
    showTypedSize(true);
    int lines = platform::integerOf(edPixHor);
    int columns = platform::integerOf(edPixVer);
    andor::checkImageSize(lines, columns);
    imageLines = lines;
    imageColumns = columns;
}

void TAndorImagen::rb1024x256Click() {
    showTypedSize(false);
}

void TAndorImagen::rb2048x2048Click() {
    showTypedSize(false);
}

void TAndorImagen::Button2Click() {
    Andor->showWindow();
}

void TAndorImagen::Button1Click() {
    hide();
}
