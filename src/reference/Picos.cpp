// TBuscaPicos, the window for the peak search on the experimental spectrum.
#include "Picos.h"

#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Text.h"
#include "reference/PeakSearch.h"
#include "store/Archivos.h"
#include "textio/AppError.h"
#include "textio/Files.h"
#include "textio/TextWriter.h"

TBuscaPicos* BuscaPicos = nullptr;

using platform::button;
using platform::edit;
using platform::label;
using platform::named;

TBuscaPicos::TBuscaPicos()
    : Form(QStringLiteral("BuscaPicos"), QStringLiteral("BuscaPicos"), 503, 375) {
    setPlacement(platform::Placement::Default);
    createControls();
    platform::onClick(btPicos, this, &TBuscaPicos::btPicosClick);
    platform::onClick(Button1, this, &TBuscaPicos::Button1Click);
}

void TBuscaPicos::createControls() {
    QWidget* area = clientArea();
    btPicos = button(area, "btPicos", QStringLiteral("&Busca Picos"), {8, 8, 110, 28});
    Label4 = label(area, "Label4", QStringLiteral("Delta Promedio"), {8, 44, 100, 20});
    Edit1 = edit(area, "Edit1", QStringLiteral("6"), {110, 42, 60, 24});
    GroupBox3 =
        named(new QGroupBox(QStringLiteral("Lineas"), area), "GroupBox3", {190, 4, 300, 62});
    Label1 = label(GroupBox3, "Label1", QStringLiteral("Delta (Intervalo)"), {8, 26, 120, 20});
    Edit2 = edit(GroupBox3, "Edit2", QStringLiteral("2"), {130, 24, 60, 24});
    Label2 = label(GroupBox3, "Label2", QStringLiteral("nm"), {196, 26, 30, 20});
    // The peak list takes the room the empty interval list does not need: a running mean has up
    // to fifteen digits.
    GroupBox2 = named(new QGroupBox(QStringLiteral("Lineas Experimentales promediadas"), area),
                      "GroupBox2", {8, 74, 258, 250});
    ListBox1 = named(new platform::ListBox(GroupBox2), "ListBox1", {6, 20, 246, 224});
    GroupBox4 = named(new QGroupBox(QStringLiteral("Lineas encontradas en el intervalo"), area),
                      "GroupBox4", {272, 74, 222, 250});
    ListBox2 = named(new platform::ListBox(GroupBox4), "ListBox2", {6, 20, 210, 224});
    Button1 = button(area, "Button1", QStringLiteral("&Regresar"), {8, 332, 110, 28});
}

void TBuscaPicos::btPicosClick() {
    const int n = platform::integerOf(Edit1);
    // A negative count would average past the end of the spectrum.
    if (n < 0)
        throw textio::AppError("El número de puntos del promedio no puede ser negativo.");
    averageCount = n;
    std::fill(runningMean.begin(), runningMean.end(), 0.0);
    ListBox1->clear();
    textio::ensureDistinct(Lee->store.expPath, "cosa3.dat");
    auto out = textio::TextWriter::create("cosa3.dat");
    const auto& s = Lee->store;
    const auto count = static_cast<std::size_t>(s.nExp);
    reference::findPeaks({s.xExp.data(), count}, {s.yExp.data(), count}, n, runningMean,
                         [&](const reference::Peak& peak) {
                             ListBox1->add(QString::fromStdString(reference::peakListLine(peak)));
                             out.writeLine(reference::peakFileLine(peak));
                         });
    out.close();
}

void TBuscaPicos::Button1Click() {
    hide();
}
