// The trace extraction window: names, lists, files, failures, plotting and the read-out.
#include "WindowTestSupport.h"
#include "andor/AndorLee.h"
#include "platform/Guard.h"
#include "store/Archivos.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

// 1024 lines of "x v1 .. v256": x = 400 + line / 100, v = line + position.
std::string cameraFrame(int frames = 1) {
    std::string text;
    for (int f = 0; f < frames; ++f)
        for (int s = 1; s <= 1024; ++s) {
            text += std::to_string(400 + s / 100.0);
            for (int p = 1; p <= 256; ++p)
                text.append(" ").append(std::to_string(1000 * f + s + p));
            text += "\r\n";
        }
    return text;
}

class AndorWindow : public ::testing::Test {
protected:
    QStringList lines(const QString& name) const {
        QFile f(work.path(name));
        if (!f.open(QIODevice::ReadOnly))
            return {"<missing>"};
        QStringList out = QString::fromLatin1(f.readAll()).split('\n');
        out.removeLast();
        return out;
    }
    WorkFolder work;
    DialogScript script;
};

} // namespace

TEST_F(AndorWindow, ExtractionWritesListsAndNamesTheTrace) {
    script.choose(work.write("imagen.asc", cameraFrame(2)));
    Andor->edCuadroN->setText("2");
    Andor->btAndor->click();
    EXPECT_EQ(Andor->lbAndorArch->text(), "imagen_c2_y47");
    QStringList trace = lines("imagen_c2_y47.dat");
    ASSERT_EQ(trace.size(), 1024);
    // Positions 42..52 hold 1042 .. 1052 on line 1 of frame 2: sum 11517 / 10 = 1151.7.
    EXPECT_EQ(trace[0], "   400.010      1152");
    EXPECT_EQ(Andor->ListBox1->item(0), "1  400.01 1152");
    EXPECT_EQ(Andor->frameNumber, 2);
    EXPECT_EQ(Andor->traceIndex, 47);
    EXPECT_EQ(Andor->linesPerFrame, 1024);
    EXPECT_EQ(Andor->valuesPerLine, 256);
}

TEST_F(AndorWindow, LineModeAndTheModeButtons) {
    script.choose(work.write("img.asc", cameraFrame()));
    Andor->rbRen->click();
    EXPECT_EQ(Andor->Label3->text(), "renglon");
    EXPECT_EQ(Andor->edCol->text(), "512");
    EXPECT_EQ(Andor->ednsum->text(), "1");
    Andor->btAndor->click();
    QStringList trace = lines("img_r1_y512.dat");
    ASSERT_EQ(trace.size(), 256);
    EXPECT_EQ(trace[0], "         2       513");
    EXPECT_EQ(Andor->ListBox1->item(255), "256  405.12 768");
    Andor->rbCol->click();
    EXPECT_EQ(Andor->Label3->text(), "columna");
    EXPECT_EQ(Andor->edCol->text(), "512");
    EXPECT_EQ(Andor->ednsum->text(), "1");
}

TEST_F(AndorWindow, BadTextsAndHalfWidthsStopBeforeAnyFile) {
    MessageCapture capture;
    script.choose(work.write("img.asc", cameraFrame()));
    script.choose(work.path("img.asc"));
    script.choose(work.path("img.asc"));
    Andor->ednsum->setText("0");
    Andor->btAndor->click();
    Andor->ednsum->setText("dos");
    Andor->btAndor->click();
    Andor->ednsum->setText("5");
    Andor->edCol->setText("4x");
    Andor->btAndor->click();
    ASSERT_EQ(capture.errors().size(), 3);
    EXPECT_TRUE(capture.errors()[0].contains("1 o mayor"));
    EXPECT_EQ(capture.errors()[1], "'dos' is not a valid integer value");
    EXPECT_EQ(capture.errors()[2], "'4x' is not a valid integer value");
    EXPECT_FALSE(QFile::exists(work.path("img_c1_y47.dat")));
    // The typed index is part of the name: checked before anything is created.
    EXPECT_FALSE(QFile::exists(work.path("img_c1_y4x.dat")));
}

TEST_F(AndorWindow, MissingImageAndInvalidTokensAreReported) {
    MessageCapture capture;
    script.choose(work.path("nada.asc"));
    Andor->btAndor->click();
    std::string text = cameraFrame();
    text.replace(text.find("\r\n401.020000 ") + 2, 6, "header");
    script.choose(work.write("roto.asc", text));
    Andor->btAndor->click();
    EXPECT_EQ(capture.errors(), (QStringList{"File not found", "Invalid numeric input"}));
    EXPECT_EQ(lines("nada_c1_y47.dat"), QStringList());
    EXPECT_EQ(lines("roto_c1_y47.dat").size(), 101); // the lines before the bad one remain
}

TEST_F(AndorWindow, ExtractTraceToTempKeepsTheTraceIndex) {
    QString image = work.write("img.asc", cameraFrame());
    Andor->ExtractTraceToTemp("img.asc", 100);
    QStringList trace = lines("temp.dat");
    ASSERT_EQ(trace.size(), 1024);
    EXPECT_EQ(trace[0], "   400.010       110"); // window 95..105 on line 1: 1100 / 10
    EXPECT_EQ(Andor->traceIndex, 47);
    EXPECT_EQ(Andor->lbAndorArch->text(), "img_c1_y47");
    // The image itself is never replaced.
    MessageCapture capture;
    QFile::remove(work.path("temp.dat"));
    QFile::copy(image, work.path("temp.dat"));
    platform::guarded([] { Andor->ExtractTraceToTemp("temp.dat", 100); });
    ASSERT_EQ(capture.errors().size(), 1);
    EXPECT_TRUE(capture.errors()[0].contains("temp.dat"));
    EXPECT_EQ(QFile(work.path("temp.dat")).size(), QFile(image).size());
}

TEST_F(AndorWindow, EarlierTraceIsPlottedWithTheReadOut) {
    script.choose(work.write("abc_c1_y47.dat", "400 10\n410 30\n420 20\n"));
    Andor->Button2->click();
    EXPECT_EQ(Andor->lbAndorArch->text(), "abc_c1_y47");
    QTest::mouseClick(Andor->clientArea(), Qt::LeftButton, {}, QPoint(300, 500));
    EXPECT_EQ(Andor->lbCurPosic->text(), ".............");
    Andor->btGraf->click();
    EXPECT_EQ(Lee->store.nExp, 3);
    EXPECT_TRUE(Andor->frame.frameReady);
    const auto& f = Andor->frame;
    QTest::mouseClick(Andor->clientArea(), Qt::LeftButton, {}, QPoint(f.frameLeft, f.frameBottom));
    EXPECT_EQ(Andor->lbCurPosic->text(), "(  400.00,       10)");
    QTest::mouseClick(Andor->clientArea(), Qt::RightButton, {},
                      QPoint(f.frameLeft + 50, f.frameBottom));
    EXPECT_EQ(Andor->lbCurPosic->text(), "(  400.00,       10)");
    QImage shown = Andor->canvasImage();
    EXPECT_EQ(shown.pixel(f.frameLeft + f.frameWidth / 2, f.frameBottom - f.frameHeight) & 0xFFFFFF,
              0x0000FFu); // the peak of the blue polyline
}

TEST_F(AndorWindow, ControlsStayAboveTheGraph) {
    Andor->frame.SetupFrame();
    int graphTop = Andor->frame.frameBottom - Andor->frame.frameHeight - 30;
    for (QWidget* w :
         Andor->clientArea()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_LT(w->geometry().bottom(), graphTop) << w->objectName().toStdString();
}
