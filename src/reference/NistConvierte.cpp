// TNist, the window for conversion of atomic line lists into reference-line files.
#include "NistConvierte.h"

#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Text.h"
#include "reference/NistList.h"
#include "textio/Convert.h"
#include "textio/Files.h"

TNist* Nist = nullptr;

using platform::button;
using platform::edit;
using platform::label;
using platform::named;

TNist::TNist() : Form(QStringLiteral("Nist"), QStringLiteral("Nist"), 230, 480) {
    setPlacement(platform::Placement::Default);
    createControls();
    platform::onClick(btLeeLineas, this, &TNist::btLeeLineasClick);
    platform::onClick(Button1, this, &TNist::Button1Click);
}

void TNist::createControls() {
    QWidget* area = clientArea();
    GroupBox4 = named(new QGroupBox(QStringLiteral("Convierte Nist a (x,y)"), area), "GroupBox4",
                      {6, 4, 218, 150});
    Label4 = label(GroupBox4, "Label4", QStringLiteral("Archivo"), {8, 22, 60, 20});
    lbArchNist = label(GroupBox4, "lbArchNist", QStringLiteral("..."), {70, 22, 140, 20});
    Label5 = label(GroupBox4, "Label5", QStringLiteral("Limite"), {8, 52, 60, 20});
    edImin = edit(GroupBox4, "edImin", QStringLiteral("100"), {70, 50, 80, 24});
    btLeeLineas = button(GroupBox4, "btLeeLineas", QStringLiteral("&Lee"), {8, 84, 100, 28});
    Label1 = label(GroupBox4, "Label1", QStringLiteral("Poner solo observables, formato ASCII"),
                   {8, 114, 206, 34});
    Label1->setWordWrap(true);
    platform::setTextColor(Label1, 0xFF0000);
    ListBox1 = named(new platform::ListBox(area), "ListBox1", {6, 160, 218, 270});
    Button1 = button(area, "Button1", QStringLiteral("&Regresa"), {6, 438, 100, 28});
    OpenDialog1 = new platform::OpenDialog(QStringLiteral("OpenDialog1"),
                                           QStringLiteral("dat|*.dat|asc|*.asc"), this);
}

void TNist::btLeeLineasClick() {
    if (!OpenDialog1->execute())
        return;
    const QString input = OpenDialog1->fileName();
    lbArchNist->setText(platform::fileNameOnly(input));
    ListBox1->clear();
    const QString shortened = platform::withoutLastFour(lbArchNist->text());
    lbArchNist->setText(shortened);
    const auto output = platform::toPath(shortened + QStringLiteral(".dat"));
    // Creating the output would empty the chosen file before it is read.
    textio::ensureDistinct(platform::toPath(input), output);
    auto out = textio::TextWriter::create(output);
    auto in = textio::TextReader::openFile(platform::toPath(input));
    OpenDialog1->setFilter(QStringLiteral("asc"));
    const int limit = platform::integerOf(edImin);
    reference::convertNistList(in, out, limit, [this](const std::string& line) {
        ListBox1->add(platform::fromFileText(line));
    });
    out.close();
}

void TNist::Button1Click() {
    hide();
}
