// TZoom, the zoom dialog: four typed limits that replace the plotted range of the line view.
#pragma once

#include "platform/Form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TZoom : public platform::Form {
    Q_OBJECT
public:
    TZoom();

    bool zoomActivo = false;
    double xMaxZoom = 0;
    double xMinZoom = 0;
    double yMaxZoom = 0;
    double yMinZoom = 0;

    QLabel* Label1 = nullptr;
    QLineEdit* edXmin = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edXmax = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edYmin = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* edYmax = nullptr;
    QPushButton* btZoom = nullptr;
    QPushButton* btRestaura = nullptr;
    QPushButton* btFin = nullptr;

    void FormCreate();
    void btZoomClick();
    void btRestauraClick();
    void btFinClick();

private:
    void createControls();
};

extern TZoom* Zoom;
