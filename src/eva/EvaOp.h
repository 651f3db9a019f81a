// TEvaOpera, the window for operations on EVA spectrometer exports: conversion into a two-column
// spectrum, loading, the plot with labelled reference lines and the EVA axis calibration.
#pragma once

#include "eva/EvaExport.h"
#include "platform/ClickLabel.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/OpenDialog.h"
#include "plot/PlotFrame.h"
#include "textio/OneBased.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

class TEvaOpera : public platform::Form {
    Q_OBJECT
public:
    static constexpr int setCount = 6;
    static constexpr int lineCapacity = 2024;

    TEvaOpera();

    plot::PlotFrame frame;
    double xScale = 0;
    // Ends with the reference lines' scale when they are drawn.
    double yScale = 0;
    // The spectrum's own vertical scale of the last plot, which the cursor read-out uses.
    double spectrumYScale = 0;

    // The window's copy of the store's reference lines; only set 1 is used.
    textio::OneBased<int, setCount> nNist;
    textio::OneBased<double, lineCapacity> xNist;
    textio::OneBased<double, lineCapacity> yNist;
    textio::OneBased<std::string, lineCapacity> ionNist;
    double yMinNist = 0;
    // Sticks whose top lies at this client row or above it stay unlabelled.
    int legendLimit = 0;
    // zExp holds the uncorrected abscissae of the spectrum held; follows the store's record.
    bool axisCorrected = false;
    double colCen = 0;
    double colIni = 0;
    double posCen = 0;
    double posIni = 0;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lbOtro = nullptr;
    QLineEdit* edColCen = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edColIni = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edPosCen = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* edPosIni = nullptr;
    platform::ClickLabel* lbNist1 = nullptr;
    QPushButton* btEva = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* btGraf = nullptr;
    QPushButton* btCorrige = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* edLeyen = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lbArch = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lbCurPosic = nullptr;
    QLabel* Label4 = nullptr;
    QCheckBox* ChBNist1 = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    platform::OpenDialog* OpenDialog1 = nullptr;

    void FormCreate();
    void FormActivate();
    void FormClick();
    void FormMouseDown(const platform::MouseState& state);
    void btEvaClick();
    void Button2Click();
    void lbNist1Click();
    void btGrafClick();
    void btCorrigeClick();
    void Button1Click();
    void PlotExperimental();
    void CopyReferenceToSlot(int set);

protected:
    void activated() override { FormActivate(); }
    void clientClicked() override { FormClick(); }
    void clientMouseDown(const platform::MouseState& state) override { FormMouseDown(state); }

private:
    void createControls();
    void createCalibrationRows(QWidget* group);
    void connectHandlers();
    // Reads colCen, colIni, posCen and posIni from their boxes, in that order.
    eva::Calibration readCalibration();
    void plotReferenceLines();
};

extern TEvaOpera* EvaOpera;
