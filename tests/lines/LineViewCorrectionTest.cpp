// The line view's axis correction, corrected-data file, cursor read-out and peak capture.
#include "WindowTestSupport.h"
#include "lines/Lineas.h"
#include "plot/ZoomEdt.h"
#include "store/Archivos.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

class LineViewWork : public ::testing::Test {
protected:
    void SetUp() override { Linea->resize(1022, 693); }

    void loadExperimental(const std::string& text, const QString& name = "espectro.dat") {
        script.choose(work.write(name, text));
        Linea->btLeeExp->click();
        Lee->btLeeExp->click();
        Linea->FormActivate();
    }
    void leave(QLineEdit* edit, const QString& text) {
        edit->setText(text);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(edit, &out);
    }
    QString file(const QString& name) const {
        QFile f(work.path(name));
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return QString::fromLatin1(f.readAll());
    }
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mouseClick(Linea->clientArea(), b, m, QPoint(x, y));
    }

    WorkFolder work;
    DialogScript script;
};

} // namespace

TEST_F(LineViewWork, ChromexCoefficientsAppearWhenTheCentralBoxIsLeft) {
    leave(Linea->edColorCentral, "0");
    EXPECT_EQ(Linea->lbPendCorr->text(), "0");
    leave(Linea->edColorCentral, "500");
    EXPECT_EQ(Linea->lbPendCorr->text(), "-0.1947085");
    EXPECT_EQ(Linea->lbOrdOri->text(), "97.35425");
    EXPECT_FALSE(Linea->edOtraOrd->isVisibleTo(Linea));
}

TEST_F(LineViewWork, OtherSpectrometersUseTypedOrNoCoefficients) {
    Linea->rbOtro->click();
    EXPECT_TRUE(Linea->edOtroPend->isVisibleTo(Linea));
    leave(Linea->edOtroPend, "0.01");
    leave(Linea->edOtraOrd, "2");
    EXPECT_EQ(Linea->lbPendCorr->text(), "0.01");
    EXPECT_EQ(Linea->lbOrdOri->text(), "2");
    Linea->rbEVA->click();
    leave(Linea->edColorCentral, "500");
    EXPECT_EQ(Linea->lbPendCorr->text(), "0.01");
    EXPECT_EQ(Linea->lbOrdOri->text(), "2");
}

TEST_F(LineViewWork, CorrigeAppliesTheShownCoefficientsToTheUncorrectedAxis) {
    loadExperimental("100 1\n250 2\n300 3\n");
    Linea->rbOtro->click();
    leave(Linea->edOtroPend, "0.01");
    leave(Linea->edOtraOrd, "2");
    Linea->btCorrigeError->click();
    Linea->btCorrigeError->click();
    EXPECT_DOUBLE_EQ(Lee->store.xExp[2], 0.99 * 250 - 2);
    EXPECT_TRUE(Linea->axisCorrected);
    EXPECT_EQ(Lee->store.xExpMax, 300);
    EXPECT_TRUE(Linea->frame.frameReady); // redrawn
}

TEST_F(LineViewWork, OverflowingCoefficientsAreReportedAsOverflows) {
    MessageCapture capture;
    leave(Linea->edColorCentral, "500");
    leave(Linea->edColorCentral, "1e200");
    EXPECT_EQ(capture.errors(), QStringList{"Floating point overflow"});
    EXPECT_EQ(Linea->lbPendCorr->text(), "-0.1947085");
    EXPECT_EQ(Linea->lbOrdOri->text(), "97.35425");
    // A typed slope that throws the abscissae past a double stops the correction.
    loadExperimental("100 1\n250 2\n");
    Linea->lbPendCorr->setText("1e308");
    Linea->btCorrigeError->click();
    EXPECT_EQ(capture.errors().back(), "Floating point overflow");
}

TEST_F(LineViewWork, OutputsNeverReplaceTheFilesRead) {
    MessageCapture capture;
    loadExperimental("100 1\n200 2\n");
    QFile::link(work.path("espectro.dat"), work.path("espectro.dat_picos.dat"));
    Linea->CBguarda->click();
    Linea->btGuarda->click();
    // A line set read from the file the corrected spectrum would be written to.
    script.choose(work.write("espectro_cor.dat", "4050 10 Ar I\n"));
    Linea->lbNistClick(1);
    Lee->btLeeRef->click();
    Linea->FormActivate();
    Linea->btGuardaDatosExp->click();
    ASSERT_EQ(capture.errors().size(), 2);
    EXPECT_TRUE(capture.errors()[0].contains("mismo archivo"));
    EXPECT_TRUE(capture.errors()[1].contains("mismo archivo"));
    EXPECT_EQ(file("espectro.dat"), "100 1\n200 2\n");
    EXPECT_EQ(file("espectro_cor.dat"), "4050 10 Ar I\n");
}

TEST_F(LineViewWork, CorrigeWithABadTextChangesNothing) {
    MessageCapture capture;
    loadExperimental("100 1\n250 2\n");
    Linea->edColorCentral->setText("x");
    Linea->btCorrigeError->click();
    Linea->edColorCentral->setText("0");
    Linea->lbOrdOri->setText("");
    Linea->btCorrigeError->click();
    EXPECT_EQ(capture.errors(), (QStringList{"'x' is not a valid floating point value",
                                             "'' is not a valid floating point value"}));
    EXPECT_EQ(Lee->store.xExp[1], 100);
    EXPECT_FALSE(Lee->store.zExpCurrent);
}

TEST_F(LineViewWork, ASpectrumLoadedElsewhereIsNeverRestoredFromAnOldCopy) {
    loadExperimental("100 1\n200 2\n");
    Linea->lbPendCorr->setText("0.5");
    Linea->btCorrigeError->click();
    EXPECT_EQ(Lee->store.xExp[1], 50);
    Lee->LoadExperimentalFile(work.write("temp.dat", "300 1\n400 2\n"));
    Linea->FormActivate();
    EXPECT_FALSE(Linea->axisCorrected);
    Linea->btCorrigeError->click();
    EXPECT_EQ(Lee->store.xExp[1], 150);
    EXPECT_EQ(Lee->store.xExp[2], 200);
}

TEST_F(LineViewWork, CorrectedFileIsNamedOnceAfterTheExperimentalFile) {
    loadExperimental("96.15 234.5\n");
    Linea->btGuardaDatosExp->click();
    Linea->btGuardaDatosExp->click();
    EXPECT_EQ(Linea->lbExp->text(), "espectro");
    EXPECT_EQ(file("espectro_cor.dat"), "     96.15    234.50\n");
    EXPECT_FALSE(QFile::exists(work.path("espec_cor.dat")));
    // The peak file after a save takes the shortened name.
    Linea->CBguarda->click();
    Linea->btGuarda->click();
    EXPECT_EQ(file("espectro_picos.dat"), "");
    // Activation restores the full name, which the next save shortens again.
    Linea->FormActivate();
    EXPECT_EQ(Linea->lbExp->text(), "espectro.dat");
}

TEST_F(LineViewWork, CorrectedFileWithoutAnExperimentalFile) {
    Linea->btGuardaDatosExp->click();
    EXPECT_EQ(file("v_cor.dat"), "");
}

TEST_F(LineViewWork, CorrectedFileThatCannotBeCreatedIsReported) {
    MessageCapture capture;
    loadExperimental("1 2\n", "x.dat");
    QDir(work.path("")).mkdir("x_cor.dat");
    Linea->btGuardaDatosExp->click();
    EXPECT_EQ(capture.errors(), QStringList{"File access denied"});
}

TEST_F(LineViewWork, ReadOutAtTheOriginAndItsFormats) {
    loadExperimental("300 10\n900 110\n");
    press(100, 100);
    EXPECT_EQ(Linea->lbCurPosic->text(), ".........."); // nothing drawn yet
    Linea->btGrafExp->click();
    const auto& f = Linea->frame;
    press(f.frameLeft, f.frameBottom);
    EXPECT_EQ(Linea->lbCurPosic->text(), "(  300.00,       10)");
    press(f.frameLeft + f.frameWidth, f.frameBottom - f.frameHeight);
    EXPECT_EQ(Linea->lbCurPosic->text(), "(  900.00,      110)");
    press(f.frameLeft, f.frameBottom, Qt::RightButton);
    press(f.frameLeft + 10, f.frameBottom, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Linea->lbCurPosic->text(), "(  900.00,      110)");
}

TEST_F(LineViewWork, ReadOutUsesTheSpectrumScaleAfterLineSets) {
    loadExperimental("300 0\n900 100\n");
    script.choose(work.write("r.dat", "4000 10 A\n5000 1000 B\n"));
    Linea->lbNistClick(1);
    Lee->btLeeRef->click();
    Linea->FormActivate();
    Linea->ChBNist1->click();
    Linea->btGrafNist->click();
    const auto& f = Linea->frame;
    press(f.frameLeft, f.frameBottom - f.frameHeight);
    EXPECT_EQ(Linea->lbCurPosic->text(), "(  300.00,      100)");
}

TEST_F(LineViewWork, CapturedPeaksFollowTheInstructionsAndAreSaved) {
    loadExperimental("300 10\n900 110\n");
    Linea->btGrafExp->click();
    Linea->CBguarda->click();
    const auto& f = Linea->frame;
    press(f.frameLeft, f.frameBottom);
    press(f.frameLeft + f.frameWidth, f.frameBottom);
    EXPECT_EQ(Linea->ListBox1->items(),
              (QStringList{"has click en cada pico", "al terminar", "presiona boton Guarda",
                           "  300.00,       10", "  900.00,       10"}));
    EXPECT_EQ(Linea->nextPeak, 3);
    Linea->CBguarda->click();
    EXPECT_EQ(Linea->ListBox1->count(), 0);
    Linea->btGuarda->click(); // unticked: nothing written
    EXPECT_FALSE(QFile::exists(work.path("espectro.dat_picos.dat")));
    Linea->CBguarda->click();
    Linea->btGuarda->click();
    EXPECT_EQ(file("espectro.dat_picos.dat"), "    300.00        10\n    900.00        10\n");
}

TEST_F(LineViewWork, TheHundredAndFirstPeakIsRefusedOnce) {
    MessageCapture capture;
    loadExperimental("300 10\n900 110\n");
    Linea->btGrafExp->click();
    Linea->CBguarda->click();
    for (int i = 0; i < 103; ++i)
        Linea->FormMouseDown({Qt::LeftButton, Qt::LeftButton, {}, false, 100 + i, 300});
    EXPECT_EQ(Linea->nextPeak, 101);
    EXPECT_EQ(Linea->ListBox1->count(), 103);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_TRUE(capture.messages[0].text.contains("100"));
    // "Lee Experimento" empties the list and allows capturing again.
    script.cancel();
    Linea->btLeeExp->click();
    Lee->btLeeExp->click();
    EXPECT_EQ(Linea->nextPeak, 1);
    EXPECT_EQ(Linea->ListBox1->count(), 0);
}
