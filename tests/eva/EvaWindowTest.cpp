// The EVA window: conversion of exports and its failures, the plot with its legend threshold, the
// axis calibration through the store's record, activation and the cursor read-out.
#include "WindowTestSupport.h"
#include "eva/EvaOp.h"
#include "store/Archivos.h"
#include "textio/Convert.h"
#include "textio/NumberText.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using platform::CanvasCall;
using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

class EvaWindow : public ::testing::Test {
protected:
    void SetUp() override {
        EvaOpera->resize(966, 601);
        EvaOpera->frame.frameReady = false;
        EvaOpera->ChBNist1->setChecked(false);
        EvaOpera->edLeyen->setText("200");
        EvaOpera->edPosCen->setText("1024");
        EvaOpera->ListBox1->clear();
    }
    void TearDown() override { EvaOpera->setCanvas(nullptr); }

    void convert(const std::string& text, const QString& name = "eva.asc") {
        script.choose(work.write(name, text));
        EvaOpera->btEva->click();
    }
    void loadSpectrum(const std::string& text, const QString& name = "s.dat") {
        script.choose(work.write(name, text));
        EvaOpera->Button2->click();
        Lee->btLeeExp->click();
        EvaOpera->FormActivate();
    }
    void loadLines(const std::string& text, const QString& name = "r.dat") {
        script.choose(work.write(name, text));
        EvaOpera->lbNist1Click();
        Lee->btLeeRef->click();
        EvaOpera->FormActivate();
    }
    // The drawing of one press of "&Grafica Espectro".
    void record() {
        rec.clear();
        EvaOpera->setCanvas(&rec);
        EvaOpera->btGraf->click();
        EvaOpera->setCanvas(nullptr);
    }
    // The calls of one kind drawn in red, i.e. the sticks and their labels.
    std::vector<CanvasCall> red(const QString& op) const {
        std::vector<CanvasCall> out;
        bool inRed = false;
        for (const auto& c : rec.calls()) {
            if (c.op == "setPenColor")
                inRed = c.args[0] == 0xFF0000;
            else if (inRed && c.op == op)
                out.push_back(c);
        }
        return out;
    }
    QStringList redLabels() const {
        QStringList out;
        for (const auto& c : red("textOut"))
            out << c.text;
        return out;
    }
    QString file(const QString& name) const {
        QFile f(work.path(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : "<missing>";
    }

    WorkFolder work;
    DialogScript script;
    platform::RecordingCanvas rec{nullptr};
};

} // namespace

TEST_F(EvaWindow, ConversionWritesOneLinePerRunAndListsIt) {
    convert("1 1 1\n2 1 2\n3 1 3\n1 2 4\n2 2 5\n1 3 6\n");
    EXPECT_EQ(file("ar550test.dat"),
              "   520.000         6\n   520.029         9\n   520.059         6\n");
    EXPECT_EQ(EvaOpera->ListBox1->items(),
              (QStringList{"1    520.00 6", "2    520.03 9", "3    520.06 6"}));
    EXPECT_EQ(EvaOpera->lbArch->text(), "eva.asc");
}

TEST_F(EvaWindow, BadParametersAndMissingFilesStopBeforeAnyChange) {
    MessageCapture capture;
    convert("0 1 1\n");
    QFile::remove(work.path("ar550test.dat"));
    script.cancel();
    EvaOpera->btEva->click();
    EvaOpera->edColCen->setText("x");
    convert("0 2 1\n");
    EvaOpera->edColCen->setText("550");
    EvaOpera->edPosCen->setText("1");
    convert("0 2 1\n");
    EvaOpera->edPosCen->setText("1024");
    script.choose(work.path("no_existe.asc"));
    EvaOpera->btEva->click();
    EXPECT_EQ(capture.errors(), (QStringList{"'x' is not a valid floating point value",
                                             "Floating point division by zero", "File not found"}));
    EXPECT_FALSE(QFile::exists(work.path("ar550test.dat")));
    EXPECT_EQ(EvaOpera->ListBox1->items(), QStringList{"1    520.00 1"});
    EXPECT_EQ(EvaOpera->lbArch->text(), "eva.asc");
}

TEST_F(EvaWindow, BrokenOrSelfOverwritingExportsAreReportedAndEmptyOnesAreNot) {
    MessageCapture capture;
    // The run being read when the export breaks is not known to be complete: it is dropped.
    convert("0 1 1\n0 1 1\n0 2 3\n0 3 zz\n");
    EXPECT_EQ(file("ar550test.dat"), "   520.000         2\n");
    EXPECT_EQ(EvaOpera->ListBox1->count(), 1);
    // A record cut off by the end of the file reads its missing intensity as 0.
    convert("0 1 1\n0 2 1\n0 3");
    EXPECT_EQ(EvaOpera->ListBox1->count(), 3);
    EXPECT_TRUE(file("ar550test.dat").endsWith("         0\n"));
    convert("\n\n");
    EXPECT_EQ(file("ar550test.dat"), "");
    EXPECT_EQ(EvaOpera->ListBox1->count(), 0);
    convert("0 1 1\n");
    script.choose(work.path("ar550test.dat"));
    EvaOpera->btEva->click();
    EXPECT_EQ(file("ar550test.dat"), "   520.000         1\n");
    QStringList errors = capture.errors();
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[0], "Invalid numeric input");
    EXPECT_TRUE(errors[1].contains("mismo archivo")) << errors[1].toStdString();
}

TEST_F(EvaWindow, SticksInRangeAreRedAndLabelledOnlyBelowTheThreshold) {
    loadSpectrum("400 0\n410 100\n420 50\n");
    // 400, 410 and 420 nm lie in the closed range; the line at 430 nm only sets the base.
    loadLines("4000 10 A\n4100 1000 B\n4200 300 C\n4300 -500 D\n");
    EvaOpera->ChBNist1->click();
    record();
    const auto& f = EvaOpera->frame;
    EXPECT_DOUBLE_EQ(EvaOpera->yScale, f.frameHeight / 990.0);
    auto sticks = red("lineTo");
    ASSERT_EQ(sticks.size(), 3u);
    EXPECT_EQ(sticks[0].args[0], f.frameLeft);
    EXPECT_EQ(sticks[2].args[0], f.frameLeft + f.frameWidth);
    // The base is the whole set's minimum, so the tallest stick leaves the frame.
    int top = f.frameBottom - static_cast<int>(textio::nearest(1500 * EvaOpera->yScale));
    EXPECT_EQ(sticks[1].args[3], top);
    EXPECT_LT(top, f.frameBottom - f.frameHeight);
    EXPECT_EQ(redLabels(), (QStringList{" A", " C"}));
    EvaOpera->edLeyen->setText("0");
    record();
    EXPECT_EQ(redLabels(), (QStringList{" A", " B", " C"}));
    EvaOpera->edLeyen->setText(QString::number(f.frameBottom));
    record();
    EXPECT_TRUE(redLabels().isEmpty());
    EXPECT_EQ(red("lineTo").size(), 3u);
}

TEST_F(EvaWindow, StickScaleFailuresAndEmptyRanges) {
    MessageCapture capture;
    loadSpectrum("400 0\n410 100\n");
    loadLines("3000 10 A\n5000 20 B\n");
    EvaOpera->ChBNist1->click();
    record();
    EXPECT_TRUE(red("lineTo").empty());
    EXPECT_DOUBLE_EQ(EvaOpera->yScale, EvaOpera->frame.frameHeight / -1.8e11);
    loadLines("4050 10 A\n5000 20 B\n");
    record();
    EvaOpera->edLeyen->setText("alto");
    record();
    EXPECT_EQ(capture.errors(), (QStringList{"Floating point division by zero",
                                             "'alto' is not a valid integer value"}));
    EXPECT_TRUE(red("lineTo").empty());
    EXPECT_EQ(rec.callsOf("lineTo").size(), 2u + 7u + 5u + 1u); // the spectrum was drawn
}

TEST_F(EvaWindow, WithoutASpectrumNothingIsDrawnAndTheReadOutWaits) {
    script.cancel();
    Lee->btLeeExp->click();
    record();
    EXPECT_TRUE(rec.calls().empty());
    EXPECT_FALSE(EvaOpera->frame.frameReady);
    QString before = EvaOpera->lbCurPosic->text();
    QTest::mouseClick(EvaOpera->clientArea(), Qt::LeftButton, {}, QPoint(300, 400));
    EXPECT_EQ(EvaOpera->lbCurPosic->text(), before);
}

TEST_F(EvaWindow, ReadOutAtTheFrameCornersOnTheSpectrumScaleAndAClickRedraws) {
    loadSpectrum("400 10\n420 110\n");
    loadLines("4050 10 A\n4100 1000 B\n");
    EvaOpera->ChBNist1->click();
    EvaOpera->btGraf->click();
    EXPECT_NE(EvaOpera->yScale, EvaOpera->spectrumYScale);
    const auto& f = EvaOpera->frame;
    QTest::mouseClick(EvaOpera->clientArea(), Qt::LeftButton, {},
                      QPoint(f.frameLeft + f.frameWidth, f.frameBottom - f.frameHeight));
    EXPECT_EQ(EvaOpera->lbCurPosic->text(), "(  420.00,      110)");
    QTest::mouseClick(EvaOpera->clientArea(), Qt::RightButton, {},
                      QPoint(f.frameLeft, f.frameBottom));
    EXPECT_EQ(EvaOpera->lbCurPosic->text(), "(  420.00,      110)");
    rec.clear();
    EvaOpera->setCanvas(&rec);
    QTest::mouseClick(EvaOpera->clientArea(), Qt::LeftButton, {}, QPoint(f.frameLeft, 400));
    EXPECT_EQ(rec.callsOf("rectangle").size(), 1u);
}

TEST_F(EvaWindow, CorrectionKeepsTheCopyOfTheSpectrumHeldAndRedraws) {
    std::string points;
    for (int k = 1; k <= 1024; ++k)
        points += std::to_string(600 + k) + " " + std::to_string(k % 7) + "\n";
    loadSpectrum(points);
    EXPECT_FALSE(EvaOpera->axisCorrected);
    EvaOpera->btCorrige->click();
    EvaOpera->btCorrige->click();
    const auto& s = Lee->store;
    EXPECT_EQ(textio::fixedField(s.xExp[1024], 0, 4), "550.0293");
    EXPECT_EQ(s.zExp[1024], 1624);
    EXPECT_TRUE(EvaOpera->axisCorrected);
    EXPECT_TRUE(EvaOpera->frame.frameReady);

    // Another spectrum gets its own copy, never the one of the first.
    loadSpectrum("700 1\n800 2\n", "otro.dat");
    EXPECT_FALSE(EvaOpera->axisCorrected);
    EXPECT_EQ(EvaOpera->lbArch->text(), "otro.dat");
    EvaOpera->btCorrige->click();
    EXPECT_EQ(s.zExp[1], 700);
    EXPECT_TRUE(EvaOpera->axisCorrected);

    MessageCapture capture;
    EvaOpera->edColIni->setText("");
    EvaOpera->btCorrige->click();
    EvaOpera->edColIni->setText("520");
    EXPECT_EQ(capture.errors(), QStringList{"'' is not a valid floating point value"});
    EXPECT_EQ(s.xExpMin, 520);
}

TEST_F(EvaWindow, ActivationCopiesAllReferenceLinesAndTheFileNames) {
    std::string lines;
    for (int k = 1; k <= 2024; ++k)
        lines +=
            std::to_string(4000 + k) + " " + std::to_string(k) + " L" + std::to_string(k) + "\n";
    loadLines(lines, "muchas.dat");
    EXPECT_FALSE(Lee->GroupBox2->isVisibleTo(Lee));
    EXPECT_EQ(EvaOpera->nNist[1], 2024);
    EXPECT_EQ(EvaOpera->ionNist[2024], " L2024");
    EXPECT_DOUBLE_EQ(EvaOpera->xNist[2024], 602.4);
    EXPECT_EQ(EvaOpera->yMinNist, 1);
    EXPECT_EQ(EvaOpera->lbNist1->text(), "muchas.dat");
    EvaOpera->Button2->click();
    EXPECT_TRUE(Lee->GroupBox2->isVisibleTo(Lee));
    EXPECT_FALSE(Lee->GroupBox3->isVisibleTo(Lee));
    EXPECT_EQ(EvaOpera->lbArch->text(), Lee->lbArchExp->text());
}
