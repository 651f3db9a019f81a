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

    QLabel* Label1;
    QLineEdit* edXmin;
    QLabel* Label2;
    QLineEdit* edXmax;
    QLabel* Label3;
    QLineEdit* edYmin;
    QLabel* Label4;
    QLineEdit* edYmax;
    QPushButton* btZoom;
    QPushButton* btRestaura;
    QPushButton* btFin;

    void FormCreate();
    void btZoomClick();
    void btRestauraClick();
    void btFinClick();

private:
    void createControls();
};

extern TZoom* Zoom;
