// The Gaussian profile window: drawing, listings per loaded reference line, refusals.
#include "WindowTestSupport.h"
#include "platform/Canvas.h"
#include "reference/Convo.h"
#include "store/Archivos.h"

#include <QApplication>
#include <QScrollBar>

#include <gtest/gtest.h>

using testsupport::MessageCapture;

namespace {

class ConvWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Conv->ListBox1->clear();
        Conv->edAncho->setText("2");
        auto& s = Lee->store;
        s.nExp = 5;
        for (int i = 1; i <= 5; ++i) {
            s.xExp[i] = 400 + 50 * i;
            s.yExp[i] = 10 * i;
        }
        s.xExpMin = 450;
        s.xExpMax = 650;
        s.yExpMin = 10;
        s.yExpMax = 50;
        s.hayExp = true;
        s.nRef = 2;
        s.xRef[1] = 500;
        s.xRef[2] = 600;
        Conv->setCanvas(&recorder);
    }
    void TearDown() override {
        Conv->setCanvas(nullptr);
        auto& s = Lee->store;
        s.nExp = 0;
        s.nRef = 0;
        s.hayExp = false;
    }
    platform::RecordingCanvas recorder;
};

} // namespace

TEST_F(ConvWindow, NoSpectrumDoesNothing) {
    Lee->store.hayExp = false;
    Conv->btConvo->click();
    EXPECT_TRUE(recorder.calls().empty());
    EXPECT_EQ(Conv->ListBox1->count(), 0);
}

TEST_F(ConvWindow, ListsLoadedLinesOnlyAndAppendsOnEveryPress) {
    Conv->btConvo->click();
    ASSERT_EQ(Conv->ListBox1->count(), 2 * 173);
    EXPECT_EQ(Conv->ListBox1->item(2 + 85), "i =        86  x =     500.00  Gaus =     1.0000");
    EXPECT_EQ(Conv->ListBox1->item(173 + 2 + 85),
              "i =        86  x =     600.00  Gaus =     1.0000");
    Conv->btConvo->click();
    EXPECT_EQ(Conv->ListBox1->count(), 4 * 173);
    EXPECT_EQ(Conv->profileCentre, 600);
    EXPECT_EQ(Conv->sigma, 1);
    EXPECT_EQ(Conv->sampleStep, 0.036);
    EXPECT_EQ(Conv->profileCount, 171);
    EXPECT_EQ(Conv->profile[86], 1);
}

TEST_F(ConvWindow, FrameTicksLabelsAndBothPolylines) {
    Conv->btConvo->click();
    const auto& f = Conv->frame;
    QSize size = Conv->clientArea()->size();
    EXPECT_EQ(f.frameLeft, qRound(0.05 * size.width()));
    EXPECT_EQ(f.frameBottom, qRound(0.95 * size.height()));
    auto rect = recorder.callsOf("rectangle");
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_EQ(rect[0].args[0], f.frameLeft - 20);
    EXPECT_EQ(rect[0].args[3], f.frameBottom + 20);
    auto labels = recorder.callsOf("textOut");
    ASSERT_EQ(labels.size(), 10u);
    EXPECT_EQ(labels[0].text, "450");
    EXPECT_EQ(labels[0].args[1], f.frameBottom + 5);
    EXPECT_EQ(labels[4].text, "650");
    EXPECT_EQ(labels[5].text, "10");
    EXPECT_EQ(labels[5].args[0], f.frameLeft - 10);
    EXPECT_EQ(labels[9].text, "50");
    // Four lines per polyline, two polylines; two axes; ten ticks of five pixels.
    auto lines = recorder.callsOf("lineTo");
    ASSERT_EQ(lines.size(), 2u + 10u + 8u);
    EXPECT_EQ(lines[2].args[3] - lines[2].args[1], 5);
    auto pens = recorder.callsOf("setPenColor");
    EXPECT_EQ(pens.back().args[0], 0xFF0000);
}

TEST_F(ConvWindow, PointsOutsideTheFrameAreNotDrawn) {
    Lee->store.xExp[3] = 2000; // far right of the frame
    Conv->btConvo->click();
    EXPECT_EQ(recorder.callsOf("lineTo").size(), 2u + 10u + 6u);
}

TEST_F(ConvWindow, BadAndTooWideWidthsAreReported) {
    MessageCapture capture;
    Conv->edResol->setText("nada");
    Conv->Edit1->setText("nada");
    Conv->edAncho->setText("ancho");
    Conv->btConvo->click();
    Conv->edAncho->setText("7");
    Conv->btConvo->click();
    Conv->edAncho->setText("0");
    Conv->btConvo->click();
    ASSERT_EQ(capture.errors().size(), 3);
    EXPECT_EQ(capture.errors()[0], "'ancho' is not a valid floating point value");
    EXPECT_TRUE(capture.errors()[1].contains("demasiado grande"));
    EXPECT_EQ(capture.errors()[2], "Invalid floating point operation");
    EXPECT_EQ(Conv->ListBox1->count(), 0);
    // Width, step and centre were set before the failing computation.
    EXPECT_EQ(Conv->sigma, 0);
    EXPECT_EQ(Conv->sampleStep, 0.036);
    EXPECT_EQ(Conv->profileCentre, Lee->store.xRef[1]);
    Conv->edResol->setText("0.2");
    Conv->Edit1->setText("3");
}

TEST_F(ConvWindow, FlatSpectrumIsADivisionByZero) {
    MessageCapture capture;
    Lee->store.yExpMax = Lee->store.yExpMin;
    Conv->btConvo->click();
    EXPECT_EQ(capture.errors(), QStringList{"Floating point division by zero"});
    EXPECT_EQ(recorder.callsOf("textOut").size(), 10u);
}

TEST_F(ConvWindow, FinHides) {
    Conv->showWindow();
    Conv->btFin->click();
    EXPECT_FALSE(Conv->isVisible());
}

TEST_F(ConvWindow, ControlsStayAboveTheGraphApartAndTheListingFitsTheList) {
    Conv->setCanvas(nullptr);
    Conv->showWindow();
    Conv->btConvo->click();
    for (int pass = 0; pass < 100; ++pass)
        QApplication::processEvents();
    const auto& f = Conv->frame;
    const auto children =
        Conv->clientArea()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* w : children) {
        EXPECT_LT(w->geometry().bottom(), f.frameBottom - f.frameHeight)
            << w->objectName().toStdString();
        EXPECT_LE(w->geometry().right(), Conv->width()) << w->objectName().toStdString();
        for (QWidget* other : children) {
            if (other != w) {
                EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                    << w->objectName().toStdString() << " / " << other->objectName().toStdString();
            }
        }
    }
    // The longest line, "Resolucion  = ... NumDat Gauss  = ...", shows whole.
    EXPECT_EQ(Conv->ListBox1->horizontalScrollBar()->maximum(), 0);
    Conv->btFin->click();
}
