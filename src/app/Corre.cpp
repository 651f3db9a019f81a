// TPpl, the main window.
#include "Corre.h"

#include "andor/AndorLee.h"
#include "andor/Cut.h"
#include "andor/ImagenAndor.h"
#include "eva/EvaOp.h"
#include "eva/RazonLineas.h"
#include "lines/Lineas.h"
#include "platform/Guard.h"
#include "reference/Convo.h"
#include "reference/NistConvierte.h"
#include "reference/Picos.h"

#include <QMenuBar>

TPpl* Ppl = nullptr;

TPpl::TPpl()
    : Form(QStringLiteral("Ppl"), QStringLiteral("Identifica Lineas espectrales   6 mayo 2009"),
           405, 265) {
    setMainWindow(true);
    createMenu();
    createControls();
}

QAction* TPpl::addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void TPpl::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto addMenu = [bar](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    Archivos1 = addMenu("Archivos1", QStringLiteral("&Archivos"));
    Abrir1 = addItem(Archivos1, "Abrir1", QStringLiteral("&Abrir"));
    Terminar1 = addItem(Archivos1, "Terminar1", QStringLiteral("&Terminar"));
    EVA2 = addMenu("EVA2", QStringLiteral("EVA"));
    EVA1 = addItem(EVA2, "EVA1", QStringLiteral("Recorta espectro"));
    Convierte1 = addMenu("Convierte1", QStringLiteral("&Andor"));
    Andoraxy1 = addItem(Convierte1, "Andoraxy1", QStringLiteral("Traza en color"));
    Nistaxy1 = addItem(Convierte1, "Nistaxy1", QStringLiteral("Grafica imagen"));
    DividearchivoconNimagenes1 = addItem(Convierte1, "DividearchivoconNimagenes1",
                                         QStringLiteral("Divide archivo con N imagenes"));
    Calcula1 = addMenu("Calcula1", QStringLiteral("&Ejecuta"));
    Agrupapicos1 = addItem(Calcula1, "Agrupapicos1", QStringLiteral("&Agrupa picos"));
    Convolucion1 = addItem(Calcula1, "Convolucion1", QStringLiteral("&Convolucion"));
    ComparaGaussianEspectro1 =
        addItem(Calcula1, "ComparaGaussianEspectro1", QStringLiteral("ComparaGaussianEspectro"));
    ExpyNist = addItem(Calcula1, "ExpyNist", QStringLiteral("Grafica Exp+Lineas Nist"));
    Help1 = addMenu("Help1", QStringLiteral("&Nist"));
    AcercadelPrograma1 = addItem(Help1, "AcercadelPrograma1", QStringLiteral("&Nist a (x,y)"));
    Coloresdegraficas1 = addItem(Help1, "Coloresdegraficas1", QStringLiteral("Nist a (x,y) 2"));
    Help2 = addMenu("Help2", QStringLiteral("&Help"));
    Acercade1 = addItem(Help2, "Acercade1", QStringLiteral("&Acerca de ..."));

    platform::onTriggered(EVA1, this, &TPpl::EVA1Click);
    platform::onTriggered(Andoraxy1, this, &TPpl::Andoraxy1Click);
    platform::onTriggered(Nistaxy1, this, &TPpl::Nistaxy1Click);
    platform::onTriggered(DividearchivoconNimagenes1, this, &TPpl::DividearchivoconNimagenes1Click);
    platform::onTriggered(Agrupapicos1, this, &TPpl::Agrupapicos1Click);
    platform::onTriggered(Convolucion1, this, &TPpl::Convolucion1Click);
    platform::onTriggered(ExpyNist, this, &TPpl::ExpyNistClick);
    platform::onTriggered(AcercadelPrograma1, this, &TPpl::AcercadelPrograma1Click);
}

void TPpl::createControls() {
    QWidget* area = clientArea();
    auto addButton = [area](const char* name, const QString& caption, QRect geometry) {
        auto* button = new QPushButton(caption, area);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(geometry);
        return button;
    };
    Button1 = addButton("Button1", QStringLiteral("&Grafica y Compara"), {24, 20, 170, 34});
    Button2 = addButton("Button2", QStringLiteral("&Agrupa Picos"), {211, 20, 170, 34});
    btRazon = addButton("btRazon", QStringLiteral("&Razon de lineas"), {24, 68, 170, 34});
    btFin = addButton("btFin", QStringLiteral("&Fin"), {211, 68, 170, 34});
    Label9 = new QLabel(
        QStringLiteral("Por ahora mezcla todos los iones, despues se hara una seleccion"), area);
    Label9->setObjectName("Label9");
    Label9->setWordWrap(true);
    Label9->setGeometry(24, 124, 357, 48);
    OpenDialog1 = new platform::OpenDialog(QStringLiteral("OpenDialog1"), QString(), this);

    platform::onClick(Button1, this, &TPpl::Button1Click);
    platform::onClick(Button2, this, &TPpl::Button2Click);
    platform::onClick(btRazon, this, &TPpl::btRazonClick);
    platform::onClick(btFin, this, &TPpl::btFinClick);
}

void TPpl::Button1Click() {
    ExpyNistClick();
}
void TPpl::Button2Click() {
    Agrupapicos1Click();
}
void TPpl::btRazonClick() {
    Razon->showWindow();
}
void TPpl::btFinClick() {
    close();
}
void TPpl::EVA1Click() {
    EvaOpera->showWindow();
}
void TPpl::Andoraxy1Click() {
    Andor->showWindow();
}
void TPpl::Nistaxy1Click() {
    AndorImagen->showWindow();
}
void TPpl::DividearchivoconNimagenes1Click() {
    CortaDivide->showWindow();
}
void TPpl::Agrupapicos1Click() {
    BuscaPicos->showWindow();
}
void TPpl::Convolucion1Click() {
    Conv->showWindow();
}
void TPpl::ExpyNistClick() {
    Linea->showWindow();
}
void TPpl::AcercadelPrograma1Click() {
    Nist->showWindow();
}
