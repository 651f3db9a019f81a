// TLee, the data-loading window.
#include "Archivos.h"

#include "platform/Guard.h"
#include "platform/Messages.h"
#include "platform/Text.h"

TLee* Lee = nullptr;

namespace {
const QString fileFilter = QStringLiteral("dat|*.dat|asc|*.asc|txt|*.txt");

// The file name runs from beside its caption to the right edge of its group.
void fitName(QLabel* name) {
    name->setGeometry(74, 70, name->parentWidget()->width() - 81, 22);
}
} // namespace

TLee::TLee() : Form(QStringLiteral("Lee"), QStringLiteral("Lee datos"), 426, 343) {
    createControls();
    FormCreate();
}

void TLee::createControls() {
    QWidget* area = clientArea();
    GroupBox2 = new QGroupBox(QStringLiteral("Lee &Experimental"), area);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setGeometry(8, 8, 201, 112);
    btLeeExp = new QPushButton(QStringLiteral("&Experimento"), GroupBox2);
    btLeeExp->setObjectName("btLeeExp");
    btLeeExp->setGeometry(12, 26, 130, 30);
    Label7 = new QLabel(QStringLiteral("Archivo"), GroupBox2);
    Label7->setObjectName("Label7");
    Label7->setGeometry(12, 70, 60, 22);
    lbArchExp = new platform::NameLabel(QStringLiteral("..."), GroupBox2);
    lbArchExp->setObjectName("lbArchExp");
    fitName(lbArchExp);

    GroupBox3 = new QGroupBox(QStringLiteral("Lee  Líneas de Referencia"), area);
    GroupBox3->setObjectName("GroupBox3");
    GroupBox3->setGeometry(217, 8, 201, 112);
    btLeeRef = new QPushButton(QStringLiteral("E&spectro Ref"), GroupBox3);
    btLeeRef->setObjectName("btLeeRef");
    btLeeRef->setGeometry(12, 26, 130, 30);
    Label6 = new QLabel(QStringLiteral("Archivo"), GroupBox3);
    Label6->setObjectName("Label6");
    Label6->setGeometry(12, 70, 60, 22);
    lbArchEspec = new platform::NameLabel(QStringLiteral("..."), GroupBox3);
    lbArchEspec->setObjectName("lbArchEspec");
    fitName(lbArchEspec);

    ListBox1 = new platform::ListBox(area);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, 128, 410, 166);
    Button2 = new QPushButton(QStringLiteral("&Regresar"), area);
    Button2->setObjectName("Button2");
    Button2->setGeometry(318, 302, 100, 32);

    OpenDialog1 = new platform::OpenDialog(QStringLiteral("OpenDialog1"), fileFilter, this);
    OpenDialog2 = new platform::OpenDialog(QStringLiteral("OpenDialog2"), fileFilter, this);

    platform::onClick(btLeeExp, this, &TLee::btLeeExpClick);
    platform::onClick(btLeeRef, this, &TLee::btLeeRefClick);
    platform::onClick(Button2, this, &TLee::Button2Click);
}

void TLee::FormCreate() {
    store.hayExp = false;
}

void TLee::btLeeExpClick() {
    if (!OpenDialog2->execute()) {
        store.hayExp = false;
        return;
    }
    QString path = OpenDialog2->fileName();
    ListBox1->clear();
    store.archExp = platform::toFileText(platform::fileNameOnly(path));
    platform::setTextColor(lbArchExp, 0xFF0000);
    lbArchExp->setText(platform::fromFileText(store.archExp));
    lbArchExp->setToolTip(lbArchExp->text());
    readExperimentalFile(path);
}

void TLee::LoadExperimentalFile(const QString& fileName) {
    ListBox1->clear();
    readExperimentalFile(fileName);
}

void TLee::readExperimentalFile(const QString& path) {
    auto in = textio::TextReader::openFile(platform::toPath(path));
    store.expPath = std::filesystem::absolute(platform::toPath(path));
    auto outcome = store::readExperimental(in, store, [this](const std::string& line) {
        ListBox1->add(platform::fromFileText(line));
    });
    reportTruncation(outcome, store::experimentalCapacity);
}

void TLee::btLeeRefClick() {
    if (!OpenDialog1->execute())
        return;
    QString path = OpenDialog1->fileName();
    store.archRef = platform::toFileText(platform::fileNameOnly(path));
    lbArchEspec->setText(platform::fromFileText(store.archRef));
    lbArchEspec->setToolTip(lbArchEspec->text());
    ListBox1->clear();
    auto in = textio::TextReader::openFile(platform::toPath(path));
    store.refPath = std::filesystem::absolute(platform::toPath(path));
    auto outcome = store::readReference(in, store, [this](const std::string& line) {
        ListBox1->add(platform::fromFileText(line));
    });
    reportTruncation(outcome, store::referenceCapacity);
}

void TLee::reportTruncation(const store::ReadOutcome& outcome, int capacity) {
    if (!outcome.truncated)
        return;
    platform::showMessage(
        QStringLiteral("El archivo tiene más de %1 datos; se leyeron solo los primeros %1.")
            .arg(capacity),
        QStringLiteral("Archivo demasiado largo"));
}

void TLee::Button2Click() {
    hide();
}

void TLee::openExperimental() {
    showAlone(GroupBox2, lbArchExp, GroupBox3);
    showWindow();
}

void TLee::openReference() {
    showAlone(GroupBox3, lbArchEspec, GroupBox2);
    showWindow();
}

// The window is only ever opened with one of its two groups; that one takes the window's whole
// width, which leaves room for long file names such as a camera trace's.
void TLee::showAlone(QGroupBox* group, QLabel* name, QGroupBox* other) {
    other->setVisible(false);
    group->setGeometry(8, 8, 410, 112);
    fitName(name);
    group->setVisible(true);
}
