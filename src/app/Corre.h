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

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* btRazon = nullptr;
    QPushButton* btFin = nullptr;
    QLabel* Label9 = nullptr;
    platform::OpenDialog* OpenDialog1 = nullptr;

    QMenu* Archivos1 = nullptr;
    QAction* Abrir1 = nullptr;
    QAction* Terminar1 = nullptr;
    QMenu* EVA2 = nullptr;
    QAction* EVA1 = nullptr;
    QMenu* Convierte1 = nullptr;
    QAction* Andoraxy1 = nullptr;
    QAction* Nistaxy1 = nullptr;
    QAction* DividearchivoconNimagenes1 = nullptr;
    QMenu* Calcula1 = nullptr;
    QAction* Agrupapicos1 = nullptr;
    QAction* Convolucion1 = nullptr;
    QAction* ComparaGaussianEspectro1 = nullptr;
    QAction* ExpyNist = nullptr;
    QMenu* Help1 = nullptr;
    QAction* AcercadelPrograma1 = nullptr;
    QAction* Coloresdegraficas1 = nullptr;
    QMenu* Help2 = nullptr;
    QAction* Acercade1 = nullptr;

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
