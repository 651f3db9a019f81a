// TPpl, the main window: a menu and four buttons that open the tool windows.
#pragma once

#include "platform/Form.h"
#include "platform/OpenDialog.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

class TPpl : public platform::Form {
    Q_OBJECT
public:
    TPpl();

    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* btRazon;
    QPushButton* btFin;
    QLabel* Label9;
    platform::OpenDialog* OpenDialog1;

    QMenu* Archivos1;
    QAction* Abrir1;
    QAction* Terminar1;
    QMenu* EVA2;
    QAction* EVA1;
    QMenu* Convierte1;
    QAction* Andoraxy1;
    QAction* Nistaxy1;
    QAction* DividearchivoconNimagenes1;
    QMenu* Calcula1;
    QAction* Agrupapicos1;
    QAction* Convolucion1;
    QAction* ComparaGaussianEspectro1;
    QAction* ExpyNist;
    QMenu* Help1;
    QAction* AcercadelPrograma1;
    QAction* Coloresdegraficas1;
    QMenu* Help2;
    QAction* Acercade1;

    void Button1Click();
    void Button2Click();
    void btRazonClick();
    void btFinClick();
    void EVA1Click();
    void Andoraxy1Click();
    void Nistaxy1Click();
    void DividearchivoconNimagenes1Click();
    void Agrupapicos1Click();
    void Convolucion1Click();
    void ExpyNistClick();
    void AcercadelPrograma1Click();

private:
    void createControls();
    void createMenu();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption);
};

extern TPpl* Ppl;
