// TRazon, the line-intensity ratio window: for every image file of a list and every fibre of a
// sequence, extracts the trace, loads it and lists and writes three background-corrected ratios.
#pragma once

#include "andor/AndorImage.h"
#include "eva/LineRatio.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/OpenDialog.h"
#include "textio/OneBased.h"
#include "textio/TextWriter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <optional>
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
    struct Pair {
        std::string file;
        int fibre = 0;
    };
    void createControls();
    void runFile(textio::TextWriter& out, const std::string& file);
    // One file and fibre: from the frame read once when there is one, else the one-at-a-time way
    // (extraction into "temp.dat", loading, calculation).
    void runPair(textio::TextWriter& out, const std::string& file, int fibreNumber,
                 const andor::ParsedFrame* frame);
    // The file's frame read once for all its fibres, or nothing when a pair must be taken the
    // one-at-a-time way (which then reports whatever stands in the way).
    std::optional<andor::ParsedFrame> readFrameOnce(const std::string& file) const;
    void ratiosFromFrame(const andor::ParsedFrame& frame, int fibreNumber);
    void ratiosFrom(const eva::SpectrumView& spectrum);
    // Leaves "temp.dat", the trace window and the store as extracting this pair leaves them.
    void replayExtraction(const Pair& pair);
    // "temp.dat" can be made, as the one-at-a-time way would find out at its first pair.
    void checkTempWritable();
    void showProgress();
    qint64 lastProgress_ = 0;
    // The last pair taken from a frame read once whose trace "temp.dat", the trace window and the
    // store do not hold yet; nothing once a pair was loaded the one-at-a-time way after it.
    std::optional<Pair> unreplayed_;
    bool tempChecked_ = false;
    // The file list and sequence file read last, as chosen.
    std::filesystem::path listPath_;
    std::filesystem::path sequencePath_;
    // Refuses, before the run creates anything, outputs that are inputs or each other.
    void ensureOutputsApart() const;
};

extern TRazon* Razon;
