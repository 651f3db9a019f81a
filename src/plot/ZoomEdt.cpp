// TZoom, the zoom dialog.
#include "ZoomEdt.h"

#include "platform/Guard.h"
#include "platform/Text.h"
#include "store/Archivos.h"

TZoom* Zoom = nullptr;

using platform::generalText;
using platform::realOf;

TZoom::TZoom() : Form(QStringLiteral("Zoom"), QStringLiteral("Zoom"), 209, 337) {
    setPlacement(platform::Placement::Default);
    createControls();
    FormCreate();
}

void TZoom::createControls() {
    QWidget* area = clientArea();
    int y = 16;
    auto addRow = [&](QLabel*& label, const char* labelName, const QString& caption,
                      QLineEdit*& edit, const char* editName, const QString& text) {
        label = new QLabel(caption, area);
        label->setObjectName(QString::fromLatin1(labelName));
        label->setGeometry(24, y + 3, 60, 22);
        edit = new QLineEdit(text, area);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setGeometry(90, y, 95, 26);
        y += 40;
    };
    addRow(Label1, "Label1", QStringLiteral("X min"), edXmin, "edXmin", QStringLiteral("300"));
    addRow(Label2, "Label2", QStringLiteral("X max"), edXmax, "edXmax", QStringLiteral("900"));
    addRow(Label3, "Label3", QStringLiteral("Y min"), edYmin, "edYmin", QStringLiteral("0"));
    addRow(Label4, "Label4", QStringLiteral("Y max"), edYmax, "edYmax", QStringLiteral("100"));
    auto addButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, area);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(16, y, 177, 32);
        y += 42;
        return button;
    };
    y += 8;
    btZoom = addButton("btZoom", QStringLiteral("&Acepta cambios"));
    btRestaura = addButton("btRestaura", QStringLiteral("Poner valores originales"));
    btFin = addButton("btFin", QStringLiteral("&Regresar"));

    platform::onClick(btZoom, this, &TZoom::btZoomClick);
    platform::onClick(btRestaura, this, &TZoom::btRestauraClick);
    platform::onClick(btFin, this, &TZoom::btFinClick);
}

void TZoom::FormCreate() {
    zoomActivo = false;
}

void TZoom::btZoomClick() {
    xMaxZoom = realOf(edXmax);
    xMinZoom = realOf(edXmin);
    yMaxZoom = realOf(edYmax);
    yMinZoom = realOf(edYmin);
    zoomActivo = true;
}

void TZoom::btRestauraClick() {
    const auto& store = Lee->store;
    edXmax->setText(generalText(store.xExpMax));
    edXmin->setText(generalText(store.xExpMin));
    edYmin->setText(generalText(store.yExpMin));
    edYmax->setText(generalText(store.yExpMax));
    zoomActivo = false;
}

void TZoom::btFinClick() {
    hide();
}
