// TLinea, the line identification view: the experimental spectrum with up to six sets of
// reference lines as labelled sticks, the wavelength-axis correction and the peak capture.
#pragma once

#include "platform/ClickLabel.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "plot/PlotFrame.h"
#include "textio/OneBased.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <array>
#include <filesystem>
#include <string>

class TLinea : public platform::Form {
    Q_OBJECT
public:
    static constexpr int slotCount = 6;
    static constexpr int slotCapacity = 2024;
    static constexpr int peakCapacity = 100;

    TLinea();

    // Line-set slots, indexed (line i, slot k).
    textio::OneBased2D<double, slotCapacity, slotCount> xNist;
    textio::OneBased2D<double, slotCapacity, slotCount> yNist;
    textio::OneBased2D<std::string, slotCapacity, slotCount> ionNist;
    textio::OneBased<int, slotCount> nNist;
    textio::OneBased<double, slotCount> yMinNist;
    int pendingSlot = 0;

    plot::PlotFrame frame;
    double xScale = 0;
    double yScale = 0;
    // The spectrum's own vertical scale of the last drawing; yScale ends with the last set's.
    double spectrumYScale = 0;

    // zExp holds the uncorrected abscissae of the spectrum shown; follows the store's record.
    bool axisCorrected = false;
    // lbExp already lost its extension to a save of the corrected data.
    bool expNameShortened = false;
    textio::OneBased<double, peakCapacity> xPico;
    textio::OneBased<double, peakCapacity> yPico;
    int nextPeak = 1;
    // The operator was told that the peak list is full.
    bool peakLimitReported = false;

    // Controls.
    QLabel* Label1;
    QLabel* lbExp;
    QGroupBox* GroupBox1;
    QLabel* Label3;
    QLabel* Label21;
    QLabel* Label5;
    QLabel* Label7;
    QLabel* Label4;
    QLabel* Label14;
    QLabel* Label2;
    QLabel* Label11;
    platform::ClickLabel* lbNist1;
    platform::ClickLabel* lbNist2;
    platform::ClickLabel* lbNist3;
    platform::ClickLabel* lbNist4;
    platform::ClickLabel* lbNist5;
    platform::ClickLabel* lbNist6;
    QLineEdit* edIonNist1;
    QLineEdit* edIonNist2;
    QLineEdit* edIonNist3;
    QLineEdit* edIonNist4;
    QLineEdit* edIonNist5;
    QLineEdit* edIonNist6;
    QLineEdit* edMultNist1;
    QLineEdit* edMultNist2;
    QLineEdit* edMultNist3;
    QLineEdit* edMultNist4;
    QLineEdit* edMultNist5;
    QLineEdit* edMultNist6;
    QLabel* lbYmn1;
    QLabel* lbYmn2;
    QLabel* lbYmn3;
    QLabel* lbYmn4;
    QLabel* lbYmn5;
    QLabel* lbYmn6;
    QScrollBar* ScrollBar1;
    QScrollBar* ScrollBar2;
    QScrollBar* ScrollBar3;
    QScrollBar* ScrollBar4;
    QScrollBar* ScrollBar5;
    QScrollBar* ScrollBar6;
    QLabel* lbYmx1;
    QLabel* lbYmx2;
    QLabel* lbYmx3;
    QLabel* lbYmx4;
    QLabel* lbYmx5;
    QLabel* lbYmx6;
    QCheckBox* ChBNist1;
    QCheckBox* ChBNist2;
    QCheckBox* ChBNist3;
    QCheckBox* ChBNist4;
    QCheckBox* ChBNist5;
    QCheckBox* ChBNist6;
    QCheckBox* chBLey1;
    QCheckBox* chBLey2;
    QCheckBox* chBLey3;
    QCheckBox* chBLey4;
    QCheckBox* chBLey5;
    QCheckBox* chBLey6;
    QLabel* Label22;
    QLineEdit* edShiftNist;
    QPushButton* btLeeExp;
    QPushButton* btGrafNist;
    QPushButton* btZoom;
    QPushButton* btGrafExp;
    QPushButton* btGuardaDatosExp;
    QGroupBox* GroupBox2;
    QLabel* lbCurPosic;
    QGroupBox* GroupBox4;
    QCheckBox* CBguarda;
    QPushButton* btGuarda;
    platform::ListBox* ListBox1;
    QGroupBox* GroupBox5;
    QGroupBox* GroupBox3;
    QRadioButton* rbChromex;
    QRadioButton* rbEVA;
    QRadioButton* rbOtro;
    QLabel* Label10;
    QLineEdit* edColorCentral;
    QLabel* Label8;
    QLabel* Label6;
    QLabel* lbPendCorr;
    QLineEdit* edOtroPend;
    QLabel* Label9;
    QLabel* lbOrdOri;
    QLineEdit* edOtraOrd;
    QPushButton* btCorrigeError;
    QPushButton* Button2;

    // The controls of slot k (1..6).
    struct SlotControls {
        platform::ClickLabel* name;
        QLineEdit* ion;
        QLineEdit* mult;
        QLabel* yMin;
        QScrollBar* slider;
        QLabel* yMax;
        QCheckBox* draw;
        QCheckBox* legend;
    };
    const SlotControls& slotControls(int k) const {
        return slots_.at(static_cast<std::size_t>(k - 1));
    }

    void FormCreate();
    void FormActivate();
    void FormClick();
    void FormMouseDown(const platform::MouseState& state);
    void CopyReferenceToSlot(int k);
    void PlotExperimental();

    void lbNist1Click() { lbNistClick(1); }
    void lbNist2Click() { lbNistClick(2); }
    void lbNist3Click() { lbNistClick(3); }
    void lbNist4Click() { lbNistClick(4); }
    void lbNist5Click() { lbNistClick(5); }
    void lbNist6Click() { lbNistClick(6); }
    void ChBNist1Click() { ChBNistClick(1); }
    void ChBNist2Click() { ChBNistClick(2); }
    void ChBNist3Click() { ChBNistClick(3); }
    void ChBNist4Click() { ChBNistClick(4); }
    void ChBNist5Click() { ChBNistClick(5); }
    void ChBNist6Click() { ChBNistClick(6); }
    void ScrollBar1Scroll() { ScrollBarScroll(1); }
    void ScrollBar2Scroll() { ScrollBarScroll(2); }
    void ScrollBar3Scroll() { ScrollBarScroll(3); }
    void ScrollBar4Scroll() { ScrollBarScroll(4); }
    void ScrollBar5Scroll() { ScrollBarScroll(5); }
    void ScrollBar6Scroll() { ScrollBarScroll(6); }
    void lbNistClick(int k);
    void ChBNistClick(int k);
    void ScrollBarScroll(int k);

    void btLeeExpClick();
    void btGrafNistClick();
    void btGrafExpClick();
    void btZoomClick();
    void Button2Click();

    void edColorCentralExit();
    void rbChromexClick();
    void rbOtroClick();
    void edOtroPendExit();
    void edOtraOrdExit();
    void btCorrigeErrorClick();
    void btGuardaDatosExpClick();

    void CBguardaClick();
    void btGuardaClick();

    // The range the graph and the read-out use: the zoom limits while in force, else the
    // store's experimental bounds.
    plot::PlotLimits plotRange() const;

protected:
    void activated() override { FormActivate(); }
    void clientClicked() override { FormClick(); }
    void clientMouseDown(const platform::MouseState& state) override { FormMouseDown(state); }

private:
    void createControls();
    void createSlotTable();
    void createCorrectionGroup();
    void createPeakGroups();
    void connectHandlers();
    void drawLineSet(int k, double shift, double xMin, double xMax);
    void showExperimentalName(const QString& name);
    void capturePeak(double x, double y);
    // Refuses an output that is the spectrum read or one of the sets' files.
    void ensureNotAnInput(const std::filesystem::path& output) const;

    std::array<SlotControls, slotCount> slots_{};
    // The file each slot's lines were copied from.
    std::array<std::filesystem::path, slotCount> slotFiles_{};
};

extern TLinea* Linea;
