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
    QLabel* Label1 = nullptr;
    QLabel* lbExp = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label11 = nullptr;
    platform::ClickLabel* lbNist1 = nullptr;
    platform::ClickLabel* lbNist2 = nullptr;
    platform::ClickLabel* lbNist3 = nullptr;
    platform::ClickLabel* lbNist4 = nullptr;
    platform::ClickLabel* lbNist5 = nullptr;
    platform::ClickLabel* lbNist6 = nullptr;
    QLineEdit* edIonNist1 = nullptr;
    QLineEdit* edIonNist2 = nullptr;
    QLineEdit* edIonNist3 = nullptr;
    QLineEdit* edIonNist4 = nullptr;
    QLineEdit* edIonNist5 = nullptr;
    QLineEdit* edIonNist6 = nullptr;
    QLineEdit* edMultNist1 = nullptr;
    QLineEdit* edMultNist2 = nullptr;
    QLineEdit* edMultNist3 = nullptr;
    QLineEdit* edMultNist4 = nullptr;
    QLineEdit* edMultNist5 = nullptr;
    QLineEdit* edMultNist6 = nullptr;
    QLabel* lbYmn1 = nullptr;
    QLabel* lbYmn2 = nullptr;
    QLabel* lbYmn3 = nullptr;
    QLabel* lbYmn4 = nullptr;
    QLabel* lbYmn5 = nullptr;
    QLabel* lbYmn6 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QScrollBar* ScrollBar2 = nullptr;
    QScrollBar* ScrollBar3 = nullptr;
    QScrollBar* ScrollBar4 = nullptr;
    QScrollBar* ScrollBar5 = nullptr;
    QScrollBar* ScrollBar6 = nullptr;
    QLabel* lbYmx1 = nullptr;
    QLabel* lbYmx2 = nullptr;
    QLabel* lbYmx3 = nullptr;
    QLabel* lbYmx4 = nullptr;
    QLabel* lbYmx5 = nullptr;
    QLabel* lbYmx6 = nullptr;
    QCheckBox* ChBNist1 = nullptr;
    QCheckBox* ChBNist2 = nullptr;
    QCheckBox* ChBNist3 = nullptr;
    QCheckBox* ChBNist4 = nullptr;
    QCheckBox* ChBNist5 = nullptr;
    QCheckBox* ChBNist6 = nullptr;
    QCheckBox* chBLey1 = nullptr;
    QCheckBox* chBLey2 = nullptr;
    QCheckBox* chBLey3 = nullptr;
    QCheckBox* chBLey4 = nullptr;
    QCheckBox* chBLey5 = nullptr;
    QCheckBox* chBLey6 = nullptr;
    QLabel* Label22 = nullptr;
    QLineEdit* edShiftNist = nullptr;
    QPushButton* btLeeExp = nullptr;
    QPushButton* btGrafNist = nullptr;
    QPushButton* btZoom = nullptr;
    QPushButton* btGrafExp = nullptr;
    QPushButton* btGuardaDatosExp = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* lbCurPosic = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QCheckBox* CBguarda = nullptr;
    QPushButton* btGuarda = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QRadioButton* rbChromex = nullptr;
    QRadioButton* rbEVA = nullptr;
    QRadioButton* rbOtro = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* edColorCentral = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* lbPendCorr = nullptr;
    QLineEdit* edOtroPend = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* lbOrdOri = nullptr;
    QLineEdit* edOtraOrd = nullptr;
    QPushButton* btCorrigeError = nullptr;
    QPushButton* Button2 = nullptr;

    // The controls of slot k (1..6).
    struct SlotControls {
        platform::ClickLabel* name = nullptr;
        QLineEdit* ion = nullptr;
        QLineEdit* mult = nullptr;
        QLabel* yMin = nullptr;
        QScrollBar* slider = nullptr;
        QLabel* yMax = nullptr;
        QCheckBox* draw = nullptr;
        QCheckBox* legend = nullptr;
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
    static plot::PlotLimits plotRange();

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
