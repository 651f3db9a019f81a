// TRazon, the line-intensity ratio window: for every image file of a list and every fibre of a
// sequence, lists and writes three background-corrected ratios of the fibre's trace (the ratio
// run), leaving the last pair's trace in "temp.dat", the trace window and the store.
#pragma once

#include "eva/LineRatio.h"
#include "eva/RatioRun.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/OpenDialog.h"
#include "textio/OneBased.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <functional>
#include <span>
#include <string>

class TRazon : public platform::Form {
    Q_OBJECT
public:
    TRazon();

    textio::OneBased<int, eva::sequenceCapacity> sequenceNumber;
    textio::OneBased<int, eva::sequenceCapacity> fibre;
    int sequenceCount = 0;
    textio::OneBased<std::string, eva::fileListCapacity> fileNames;
    int fileCount = 0;
    double lambdaLine1 = 0;
    double lambdaRef1 = 0;
    double lambdaAr = 0;
    double background = 0;
    double intensityLine1 = 0;
    double intensityRef1 = 0;
    double intensityAr = 0;
    double ratioR1 = 0;
    double ratioArLine1 = 0;
    double ratioArRef1 = 0;

    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edCol1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edColR1 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* edColAr = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* edColFon = nullptr;
    QLabel* Label6 = nullptr;
    platform::ListBox* ListBox1 = nullptr;
    QPushButton* btListaArch = nullptr;
    QPushButton* btLeeSec = nullptr;
    QPushButton* btTraza = nullptr;
    QLabel* lbArchSec = nullptr;
    QPushButton* Button2 = nullptr;
    platform::OpenDialog* OpenDialog1 = nullptr;

    void btLeeSecClick();
    void btListaArchClick();
    void btTrazaClick();
    // The calculation for the spectrum in "temp.dat".
    void btCalcRazonClick();
    void Button2Click();

private:
    void createControls();
    // Reads the wavelengths from their controls into the fields (the background's apart).
    eva::RatioWavelengths readWavelengths();
    eva::RatioState currentState() const;
    void keepState(const eva::RatioState& state);
    // Loads "temp.dat" into the store and gives the store's spectrum.
    static eva::SpectrumView loadTemp();
    // Runs a calculation on the fields' quantities and puts back what it found, failing or not.
    void calculateKeepingState(const std::function<void(eva::RatioState&)>& calculate);
    // The file list and sequence file read last, as chosen.
    std::filesystem::path listPath_;
    std::filesystem::path sequencePath_;
    // Refuses, before the run creates anything, outputs that are inputs or each other.
    void ensureOutputsApart(std::span<const eva::RunImage> images) const;
};

extern TRazon* Razon;
