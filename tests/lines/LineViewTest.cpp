// The line view: slot exchange with the data-loading window, the combined graph and its layout.
#include "WindowTestSupport.h"
#include "lines/Lineas.h"
#include "plot/ZoomEdt.h"
#include "store/Archivos.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using platform::CanvasCall;
using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

class LineView : public ::testing::Test {
protected:
    void SetUp() override { Linea->resize(1022, 693); }
    void TearDown() override { Linea->setCanvas(nullptr); }

    void loadExperimental(const std::string& text, const QString& name = "espectro.dat") {
        script.choose(work.write(name, text));
        Linea->btLeeExp->click();
        Lee->btLeeExp->click();
        Linea->FormActivate();
    }
    void loadSlot(int k, const std::string& text, const QString& name) {
        script.choose(work.write(name, text));
        Linea->lbNistClick(k);
        Lee->btLeeRef->click();
        Linea->FormActivate();
    }
    // Records the drawing of one press of "&Grafica".
    void record() {
        rec.clear();
        Linea->setCanvas(&rec);
        Linea->btGrafNist->click();
        Linea->setCanvas(nullptr);
    }
    std::vector<CanvasCall> sticks() const {
        // Sticks are the lines drawn after the blue polyline, each from the axis upwards.
        std::vector<CanvasCall> out;
        bool afterSpectrum = false;
        for (const auto& c : rec.calls()) {
            if (c.op == "setPenColor" && c.args[0] != 0x0000FF && afterSpectrum)
                out.push_back(c);
            if (c.op == "setPenColor" && c.args[0] == 0x0000FF)
                afterSpectrum = true;
            if (afterSpectrum && !out.empty() && (c.op == "lineTo" || c.op == "textOut"))
                out.push_back(c);
        }
        return out;
    }

    WorkFolder work;
    DialogScript script;
    platform::RecordingCanvas rec{nullptr};
};

// 400..420 nm, intensities 0..100.
const std::string spectrum = "400 0\n410 100\n420 50\n";

} // namespace

TEST_F(LineView, SlotsKeepTheirCopyWhileThePendingSlotRefills) {
    loadSlot(1, "4050 10 Ar I\n4100 1000 Ar I\n", "a.dat");
    EXPECT_EQ(Linea->lbNist1->text(), "a.dat");
    EXPECT_EQ(Linea->lbYmn1->text(), "10");
    EXPECT_EQ(Linea->lbYmx1->text(), "1000");
    EXPECT_EQ(Linea->ScrollBar1->minimum(), 10);
    EXPECT_EQ(Linea->ScrollBar1->maximum(), 1000);
    loadSlot(2, "4150 5 Fe II\n", "b.dat");
    EXPECT_EQ(Linea->nNist[1], 2);
    EXPECT_EQ(Linea->xNist(2, 1), 410);
    EXPECT_EQ(Linea->ionNist(1, 1), " Ar I");
    EXPECT_EQ(Linea->nNist[2], 1);
    EXPECT_EQ(Linea->xNist(1, 2), 415);

    // Another window loads a third file: the pending slot 2 takes it at the next activation.
    script.choose(work.write("c.dat", "4000 1 X\n4001 2 Y\n4002 3 Z\n"));
    Lee->btLeeRef->click();
    Linea->FormActivate();
    EXPECT_EQ(Linea->nNist[2], 3);
    EXPECT_EQ(Linea->lbNist2->text(), "c.dat");
    EXPECT_EQ(Linea->nNist[1], 2);
    EXPECT_EQ(Linea->lbNist1->text(), "a.dat");
}

TEST_F(LineView, ActivationCopiesTheExperimentalName) {
    EXPECT_EQ(Linea->lbExp->text(), "vacio");
    loadExperimental(spectrum, "mi_espectro.dat");
    EXPECT_EQ(Linea->lbExp->text(), "mi_espectro.dat");
}

TEST_F(LineView, EmptySlotCannotBeSelected) {
    Linea->ChBNist3->click();
    EXPECT_FALSE(Linea->ChBNist3->isChecked());
    loadSlot(3, "4050 10 Ar I\n", "a.dat");
    Linea->ChBNist3->click();
    EXPECT_TRUE(Linea->ChBNist3->isChecked());
}

TEST_F(LineView, SlotBeforeAnyReferenceFileIsEmptyWithTheInitialName) {
    script.cancel();
    Linea->lbNistClick(4);
    Lee->btLeeRef->click();
    Linea->FormActivate();
    EXPECT_EQ(Linea->nNist[4], 0);
    EXPECT_EQ(Linea->lbNist4->text(), "...");
    EXPECT_EQ(Linea->lbYmn4->text(), "0");
    EXPECT_EQ(Linea->lbYmx4->text(), "0");
    EXPECT_EQ(Linea->ScrollBar4->maximum(), 100);
}

TEST_F(LineView, MoreLinesThanASlotHoldsAreRefused) {
    MessageCapture capture;
    loadExperimental(spectrum);
    loadSlot(5, "4050 10 Ar I\n", "a.dat");
    Lee->store.nRef = 2030;
    Linea->FormActivate();
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].text, "Numero de datos mayor al tamaño de arreglo");
    EXPECT_EQ(capture.messages[0].caption, "N>2024");
    EXPECT_EQ(Linea->nNist[5], 2030);
    // Such a slot draws nothing.
    Linea->ChBNist5->click();
    ASSERT_TRUE(Linea->ChBNist5->isChecked());
    record();
    EXPECT_TRUE(rec.callsOf("textOut").size() == 12u);
    EXPECT_EQ(sticks().size(), 1u); // its colour only
}

TEST_F(LineView, SliderScrollShowsItsPosition) {
    Linea->ScrollBar2->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Linea->Label4->text(), QString::number(Linea->ScrollBar2->value()));
    EXPECT_NE(Linea->Label4->text(), "0");
}

TEST_F(LineView, GraphDrawsSpectrumAndScaledSetsInTheirColours) {
    loadExperimental(spectrum);
    loadSlot(1, "4050 500 Ar I\n4500 900 far\n3000 10 low\n", "one.dat");
    loadSlot(2, "4050 10 Fe I\n4150 50 Fe II\n", "two.dat");
    Linea->ChBNist1->click();
    Linea->ChBNist2->click();
    Linea->chBLey2->setChecked(false);
    Linea->edMultNist2->setText("0.5");
    Linea->edShiftNist->setText("0.5");
    record();

    const auto& f = Linea->frame;
    EXPECT_EQ(f.frameWidth, 869);  // nearest(0.85 * 1022)
    EXPECT_EQ(f.frameHeight, 416); // nearest(0.6 * 693)
    double xScale = 869.0 / 20;
    EXPECT_DOUBLE_EQ(Linea->xScale, xScale);
    EXPECT_DOUBLE_EQ(Linea->spectrumYScale, 416.0 / 100);

    // Spectrum: blue polyline of three points.
    auto colours = rec.callsOf("setPenColor");
    std::vector<int> penColours;
    for (const auto& c : colours)
        penColours.push_back(c.args[0]);
    EXPECT_EQ(penColours, (std::vector<int>{0x000000, 0x0000FF, 0xFF0000, 0x008000}));

    int x0 = f.frameLeft, y0 = f.frameBottom;
    auto stickX = [&](double nm) {
        return x0 + static_cast<int>(std::nearbyint((nm + 0.5 - 400) * xScale));
    };
    auto s = sticks();
    // Slot 1: one visible line (405 nm, 500): h / maxSel scale, height h * (500 - 10) / 500.
    ASSERT_GE(s.size(), 3u);
    EXPECT_EQ(s[0], (CanvasCall{"setPenColor", {0xFF0000}, {}}));
    int h1 = static_cast<int>(std::nearbyint(416.0 * 490 / 500));
    EXPECT_EQ(s[1].args, (std::vector<int>{stickX(405), y0, stickX(405), y0 - h1}));
    EXPECT_EQ(s[2], (CanvasCall{"textOut", {stickX(405), y0 - h1}, " Ar I"}));
    // Slot 2: two visible lines 10..50, multiplier 0.5, no labels.
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[3], (CanvasCall{"setPenColor", {0x008000}, {}}));
    EXPECT_EQ(s[4].args, (std::vector<int>{stickX(405), y0, stickX(405), y0}));
    int h2 = static_cast<int>(std::nearbyint(0.5 * 416.0 / 40 * 40));
    EXPECT_EQ(s[5].args, (std::vector<int>{stickX(415), y0, stickX(415), y0 - h2}));
    EXPECT_DOUBLE_EQ(Linea->yScale, 416.0 / 40);
}

TEST_F(LineView, SingleEqualLineInLaterSlotsUsesTheFrameHeight) {
    loadExperimental(spectrum);
    loadSlot(3, "4050 500 A\n4060 500 B\n", "eq.dat");
    Lee->store.yRefMin = 10;
    Linea->yMinNist[3] = 10;
    Linea->ChBNist3->click();
    Linea->edMultNist3->setText("0.001");
    record();
    auto lines = rec.callsOf("lineTo");
    int y0 = Linea->frame.frameBottom;
    EXPECT_EQ(lines.back().args[3], y0 - static_cast<int>(std::nearbyint(0.001 * 416 * 490)));
}

TEST_F(LineView, BadMultiplierStopsAfterTheEarlierSets) {
    MessageCapture capture;
    loadExperimental(spectrum);
    loadSlot(1, "4050 500 Ar I\n4100 20 Ar I\n", "one.dat");
    loadSlot(2, "4050 10 Fe I\n", "two.dat");
    Linea->ChBNist1->click();
    Linea->ChBNist2->click();
    Linea->edMultNist2->setText("x2");
    record();
    EXPECT_EQ(capture.errors(), QStringList{"'x2' is not a valid floating point value"});
    auto s = sticks();
    EXPECT_EQ(s.back().op, "setPenColor"); // slot 2 set its colour, then stopped
    EXPECT_EQ(rec.callsOf("textOut").back().text, " Ar I");

    Linea->edMultNist2->setText("1");
    Linea->edShiftNist->setText("");
    record();
    EXPECT_EQ(capture.errors().back(), "'' is not a valid floating point value");
    EXPECT_TRUE(sticks().empty());
    EXPECT_FALSE(rec.callsOf("rectangle").empty()); // the spectrum was drawn first
}

TEST_F(LineView, StickHeightsBeyondADoubleAreOverflows) {
    MessageCapture capture;
    loadExperimental(spectrum);
    loadSlot(1, "4050 500 Ar I\n4100 20 Ar I\n", "one.dat");
    Linea->ChBNist1->setChecked(true);
    Linea->edMultNist1->setText("1e308");
    record();
    Linea->edMultNist1->setText("1");
    Linea->edShiftNist->setText("1e308");
    record();
    Linea->edShiftNist->setText("0");
    EXPECT_EQ(capture.errors(),
              (QStringList{"Floating point overflow", "Floating point overflow"}));
}

TEST_F(LineView, NothingIsDrawnWithoutASpectrum) {
    Lee->store.hayExp = false;
    record();
    EXPECT_TRUE(rec.calls().empty());
    Linea->btGrafExp->click();
    EXPECT_FALSE(Linea->frame.frameReady);
}

TEST_F(LineView, ZeroWidthRangeFailsAfterTheFrameWasDrawn) {
    MessageCapture capture;
    loadExperimental("410 5\n");
    record();
    EXPECT_EQ(capture.errors(), QStringList{"Floating point division by zero"});
    EXPECT_EQ(rec.callsOf("textOut").size(), 12u);
    EXPECT_TRUE(Linea->frame.frameReady);
}

TEST_F(LineView, ZoomLimitsDriveLabelsAndScale) {
    loadExperimental(spectrum);
    Zoom->edXmin->setText("400");
    Zoom->edXmax->setText("700");
    Zoom->btZoom->click();
    record();
    EXPECT_EQ(rec.callsOf("textOut")[1].text, "450");
    EXPECT_DOUBLE_EQ(Linea->xScale, 869.0 / 300);
    // "Lee Experimento" takes the zoom out of force even when the dialog is cancelled.
    script.cancel();
    Linea->btLeeExp->click();
    Lee->btLeeExp->click();
    EXPECT_FALSE(Zoom->zoomActivo);
    EXPECT_TRUE(Linea->btZoom->isVisibleTo(Linea));
}

TEST_F(LineView, ZoomButtonPrefillsFromTheStore) {
    loadExperimental("300.5 1\n899.25 7\n");
    Zoom->xMaxZoom = 1;
    Linea->btZoomClick();
    EXPECT_EQ(Zoom->edXmax->text(), "899.25");
    EXPECT_EQ(Zoom->edXmin->text(), "300.5");
    EXPECT_EQ(Zoom->edYmax->text(), "7");
    EXPECT_EQ(Zoom->edYmin->text(), "1");
    EXPECT_TRUE(Zoom->isVisible());
    Zoom->hide();
}

TEST_F(LineView, ClickOnTheGraphRedrawsOnceAFrameExists) {
    loadExperimental(spectrum);
    rec.clear();
    Linea->setCanvas(&rec);
    Linea->FormClick();
    EXPECT_TRUE(rec.calls().empty());
    Linea->btGrafExp->click();
    rec.clear();
    QTest::mouseClick(Linea->clientArea(), Qt::LeftButton, {}, QPoint(500, 400));
    EXPECT_FALSE(rec.callsOf("rectangle").empty());
}

TEST_F(LineView, ControlsStayAboveTheGraphAndApart) {
    Linea->btGrafExp->click(); // lays out the frame
    loadExperimental(spectrum);
    Linea->btGrafExp->click();
    const auto& f = Linea->frame;
    int graphTop = f.frameBottom - f.frameHeight - 30;
    const auto children =
        Linea->clientArea()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* w : children) {
        EXPECT_LE(w->geometry().bottom(), graphTop) << w->objectName().toStdString();
        EXPECT_LE(w->geometry().right(), Linea->width()) << w->objectName().toStdString();
        for (QWidget* other : children) {
            if (other != w && !w->isHidden() && !other->isHidden()) {
                EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                    << w->objectName().toStdString() << " / " << other->objectName().toStdString();
            }
        }
    }
}
