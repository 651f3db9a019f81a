// The image window: frame reading from the size buttons, failures, painting in the sixteen
// shades and the cursor read-out.
#include "WindowTestSupport.h"
#include "andor/AndorLee.h"
#include "andor/ImagenAndor.h"
#include "store/Archivos.h"

#include <QTest>
#include <gtest/gtest.h>

#include <set>

using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

// `frames` frames of `lines` lines of `values` values: frame f, line s, value p holds
// 100000 f + 100 s + p.
std::string image(int frames, int lines, int values) {
    std::string text;
    for (int f = 1; f <= frames; ++f)
        for (int s = 1; s <= lines; ++s) {
            text += std::to_string(400 + s / 100.0);
            for (int p = 1; p <= values; ++p)
                text.append(" ").append(std::to_string(100000 * f + 100 * s + p));
            text += "\r\n";
        }
    return text;
}

// A frame of lines of values, each line given as its values (the abscissa is added).
std::string frameOf(const std::vector<std::vector<int>>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += "400";
        for (int v : line)
            text.append(" ").append(std::to_string(v));
        text += "\n";
    }
    return text;
}

class ImageWindow : public ::testing::Test {
protected:
    void SetUp() override {
        AndorImagen->resize(894, 518);
        AndorImagen->rb1024x256->click();
        AndorImagen->edCuadroN->setText("1");
        AndorImagen->ednsum->setText("5");
        AndorImagen->edPixHor->setText("610");
        AndorImagen->edPixVer->setText("256");
    }
    void TearDown() override { AndorImagen->setCanvas(nullptr); }

    // Reads a frame of the typed size.
    void readTyped(const std::string& text, int lines, int values) {
        AndorImagen->edPixHor->setText(QString::number(lines));
        AndorImagen->edPixVer->setText(QString::number(values));
        AndorImagen->rbOtro->click();
        script.choose(work.write("frame.asc", text));
        AndorImagen->btAndor->click();
    }
    QRgb pixel(int s, int p) {
        return AndorImagen->canvasImage().pixel(s, AndorImagen->frame.frameBottom - p) & 0xFFFFFF;
    }

    WorkFolder work;
    DialogScript script;
};

} // namespace

TEST_F(ImageWindow, ReadsTheChosenFrameOfTheFixedSize) {
    AndorImagen->ListBox1->add("old");
    AndorImagen->edCuadroN->setText("2");
    script.choose(work.write("dos.asc", image(2, 1024, 256)));
    AndorImagen->btAndor->click();
    EXPECT_EQ(script.asked, QStringList{"OpenDialog1"});
    EXPECT_EQ(AndorImagen->lbAndorArch->text(), "dos.asc");
    EXPECT_EQ(AndorImagen->ListBox1->count(), 0);
    EXPECT_EQ(AndorImagen->imageLines, 1024);
    EXPECT_EQ(AndorImagen->imageColumns, 256);
    EXPECT_EQ(AndorImagen->frameNumber, 2);
    EXPECT_EQ(AndorImagen->nSum, 5);
    EXPECT_EQ(AndorImagen->imageValues(1, 1), 200101);
    EXPECT_EQ(AndorImagen->imageValues(1024, 256), 302656);
    EXPECT_EQ(AndorImagen->imageMin, 200101);
    EXPECT_EQ(AndorImagen->imageMax, 302656);
}

TEST_F(ImageWindow, TheLargeSizeReads2049NumbersALine) {
    // Three lines of 2050 numbers; the last of each line is skipped, the rest of the frame is 0.
    AndorImagen->rb2048x2048->click();
    script.choose(work.write("grande.asc", image(1, 3, 2049)));
    AndorImagen->btAndor->click();
    EXPECT_EQ(AndorImagen->imageLines, 2048);
    EXPECT_EQ(AndorImagen->imageColumns, 2048);
    EXPECT_EQ(AndorImagen->imageValues(1, 2048), 102148);
    EXPECT_EQ(AndorImagen->imageValues(2, 1), 100201);
    EXPECT_EQ(AndorImagen->imageValues.valueAt(2048, 2048), 0); // past the file: not held
    EXPECT_EQ(AndorImagen->imageMin, 0);
    EXPECT_EQ(AndorImagen->imageMax, 100300 + 2048);
}

TEST_F(ImageWindow, TheTypedSizeShowsItsControlsAndAlwaysReadsTheFirstFrame) {
    EXPECT_TRUE(AndorImagen->edPixHor->isHidden());
    EXPECT_TRUE(AndorImagen->lbX->isHidden());
    AndorImagen->edCuadroN->setText("3");
    AndorImagen->rbOtro->click();
    EXPECT_FALSE(AndorImagen->lbOtro->isHidden());
    EXPECT_FALSE(AndorImagen->edPixVer->isHidden());
    script.choose(work.write("otro.asc", image(3, 610, 256)));
    AndorImagen->btAndor->click();
    EXPECT_EQ(AndorImagen->edCuadroN->text(), "1");
    EXPECT_EQ(AndorImagen->frameNumber, 1);
    EXPECT_EQ(AndorImagen->imageLines, 610);
    EXPECT_EQ(AndorImagen->imageValues(610, 256), 100000 + 61000 + 256);
    // Choosing the typed size again takes it at once, without reading.
    AndorImagen->edPixHor->setText("20");
    AndorImagen->edPixVer->setText("30");
    AndorImagen->rbOtro->click();
    EXPECT_EQ(AndorImagen->imageLines, 20);
    EXPECT_EQ(AndorImagen->imageColumns, 30);
    AndorImagen->rb2048x2048->click();
    EXPECT_TRUE(AndorImagen->edPixHor->isHidden());
    EXPECT_TRUE(AndorImagen->lbOtro->isHidden());
}

TEST_F(ImageWindow, BadTextsAndSizesStopBeforeTheFileIsOpened) {
    MessageCapture capture;
    AndorImagen->lbAndorArch->setText("antes");
    QString file = work.write("f.asc", image(1, 4, 4));
    AndorImagen->edPixHor->setText("0");
    AndorImagen->rbOtro->click();
    AndorImagen->edPixHor->setText("-5");
    script.choose(file);
    AndorImagen->btAndor->click();
    AndorImagen->edPixHor->setText("abc");
    script.choose(file);
    AndorImagen->btAndor->click();
    AndorImagen->rb1024x256->click();
    AndorImagen->ednsum->setText("cinco");
    script.choose(file);
    AndorImagen->btAndor->click();
    AndorImagen->ednsum->setText("5");
    AndorImagen->edCuadroN->setText("1.5");
    script.choose(file);
    AndorImagen->btAndor->click();
    EXPECT_EQ(
        capture.errors(),
        (QStringList{
            "Tamaño de imagen no válido (0 x 256): líneas y valores deben ser mayores que cero",
            "Tamaño de imagen no válido (-5 x 256): líneas y valores deben ser mayores que "
            "cero",
            "'abc' is not a valid integer value", "'cinco' is not a valid integer value",
            "'1.5' is not a valid integer value"}));
    EXPECT_EQ(AndorImagen->lbAndorArch->text(), "antes");
}

TEST_F(ImageWindow, CancelMissingFilesAndInvalidTokens) {
    MessageCapture capture;
    readTyped(frameOf({{1, 2}, {3, 4}}), 2, 2);
    script.cancel();
    AndorImagen->btAndor->click();
    EXPECT_EQ(AndorImagen->lbAndorArch->text(), "frame.asc");
    script.choose(work.path("nada.asc"));
    AndorImagen->btAndor->click();
    script.choose(work.write("roto.asc", "400 7 8\n400 9 malo\n"));
    AndorImagen->btAndor->click();
    EXPECT_EQ(capture.errors(), (QStringList{"File not found", "Invalid numeric input"}));
    EXPECT_EQ(AndorImagen->lbAndorArch->text(), "roto.asc");
    EXPECT_EQ(AndorImagen->imageValues(1, 2), 8);
    EXPECT_EQ(AndorImagen->imageValues(2, 1), 9);
    EXPECT_EQ(AndorImagen->imageValues(2, 2), 4); // not reached: the earlier frame's value
    EXPECT_EQ(AndorImagen->imageMax, 9);
    EXPECT_EQ(AndorImagen->imageMin, 7);
}

TEST_F(ImageWindow, AHugeTypedSizeTakesOnlyWhatTheFileHoldsAndGivesItBack) {
    MessageCapture capture;
    readTyped(frameOf({{1, 2}, {3, 4}}), 20000, 20000);
    EXPECT_EQ(capture.errors(), QStringList{});
    EXPECT_EQ(AndorImagen->imageLines, 20000);
    EXPECT_EQ(AndorImagen->imageValues.lines(), 1);         // 16 bytes fill no more than one line
    EXPECT_EQ(AndorImagen->imageValues.valueAt(1, 3), 400); // the short line goes on
    EXPECT_EQ(AndorImagen->imageValues.valueAt(20000, 20000), 0);
    EXPECT_EQ(AndorImagen->imageMax, 400);
    EXPECT_EQ(AndorImagen->imageMin, 0);
    AndorImagen->btGraf->click();
    EXPECT_EQ(pixel(1, 1), 0xFFF0F0u); // level 10

    AndorImagen->rb1024x256->click();
    script.choose(work.write("uno.asc", image(1, 1024, 256)));
    AndorImagen->btAndor->click();
    EXPECT_EQ(AndorImagen->imageValues.columns(), 256);
    EXPECT_EQ(AndorImagen->imageValues.lines(), 1024);
    EXPECT_EQ(capture.errors(), QStringList{});
}

TEST_F(ImageWindow, PaintingBandsLevels256And255BlackAnd240Grey) {
    // Minimum 0, maximum 4096: the level of a value is the value itself.
    readTyped(frameOf({{256, 255, 240}, {0, 4096, 17}, {16, 1, 100}}), 3, 3);
    AndorImagen->btGraf->click();
    const auto& f = AndorImagen->frame;
    EXPECT_TRUE(f.frameReady);
    EXPECT_EQ(f.frameLeft, 9);
    EXPECT_EQ(f.frameBottom, 466);
    EXPECT_EQ(f.frameWidth, 849);
    EXPECT_EQ(f.frameHeight, 259);
    EXPECT_DOUBLE_EQ(AndorImagen->xScale, 849 / 1024.0);
    EXPECT_DOUBLE_EQ(AndorImagen->yScale, 259 / 256.0);
    EXPECT_EQ(pixel(1, 1), 0x000000u);
    EXPECT_EQ(pixel(1, 2), 0x000000u);
    EXPECT_EQ(pixel(1, 3), 0x101010u);
    EXPECT_EQ(pixel(2, 1), 0xFFFFFFu); // level 0
    EXPECT_EQ(pixel(2, 2), 0xFFFFFFu); // level 4096
    EXPECT_EQ(pixel(2, 3), 0xE0E0E0u); // level 17
    EXPECT_EQ(pixel(3, 1), 0xFFF0F0u);
    EXPECT_EQ(pixel(3, 2), 0xFFF0F0u);
    EXPECT_EQ(pixel(3, 3), 0x909090u); // level 100: (256 - 100) / 16 = 9.75 -> index 9
    EXPECT_EQ(pixel(4, 1), 0xFFFFFFu); // beyond the frame: cleared
}

TEST_F(ImageWindow, FastPaintingMatchesPaintingPixelByPixel) {
    std::vector<std::vector<int>> lines;
    for (int s = 1; s <= 300; ++s) {
        std::vector<int> line;
        for (int p = 1; p <= 200; ++p)
            line.push_back((s * 37 + p * 91) % 5000 - 300);
        lines.push_back(line);
    }
    readTyped(frameOf(lines), 300, 200);
    AndorImagen->btGraf->click();
    QImage fast = AndorImagen->canvasImage();

    AndorImagen->frame.ClearPlot();
    double scale = andor::levelScale(AndorImagen->imageMax, AndorImagen->imageMin);
    for (int s = 1; s <= 300; ++s)
        for (int p = 1; p <= 200; ++p)
            AndorImagen->PaintPixel(static_cast<int>(andor::levelOf(AndorImagen->imageValues(s, p),
                                                                    AndorImagen->imageMin, scale)),
                                    p, s);
    EXPECT_TRUE(AndorImagen->canvasImage() == fast);

    // Through a recording canvas every painted value is one setPixel at (s, frameBottom - p).
    platform::RecordingCanvas rec;
    readTyped(frameOf({{0, 4096}, {256, 100}}), 2, 2);
    AndorImagen->setCanvas(&rec);
    AndorImagen->btGraf->click();
    int bottom = AndorImagen->frame.frameBottom;
    auto pixels = rec.callsOf("setPixel");
    ASSERT_EQ(pixels.size(), 2u);
    std::set<std::vector<int>> set;
    for (const auto& c : pixels)
        set.insert(c.args);
    EXPECT_EQ(set,
              (std::set<std::vector<int>>{{2, bottom - 1, 0x000000}, {2, bottom - 2, 0x909090}}));
}

TEST_F(ImageWindow, AFlatFrameAndAnUnreadMatrixReportTheDivisionAndClearTheFrame) {
    MessageCapture capture;
    readTyped(frameOf({{5, 5}, {5, 5}}), 2, 2);
    AndorImagen->btGraf->click();
    TAndorImagen fresh;
    fresh.btGraf->click();
    EXPECT_EQ(capture.errors(),
              (QStringList{"Floating point division by zero", "Floating point division by zero"}));
    EXPECT_TRUE(fresh.frame.frameReady);
    EXPECT_EQ(fresh.canvasImage().pixel(100, fresh.frame.frameBottom - 10) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ImageWindow, TheTypedSizeCanReachBeyondTheMatrixAndTheClientArea) {
    readTyped(frameOf({{0, 4096}, {16, 100}}), 2, 2);
    AndorImagen->edPixHor->setText("100000");
    AndorImagen->edPixVer->setText("100000");
    AndorImagen->rbOtro->click();
    AndorImagen->btGraf->click(); // cells beyond the matrix read 0 and stay white
    EXPECT_EQ(pixel(2, 1), 0xFFF0F0u);
    EXPECT_EQ(pixel(3, 1), 0xFFFFFFu);
}

TEST_F(ImageWindow, ReadOutAfterPaintingWithTheStoreMinima) {
    TAndorImagen fresh;
    QTest::mouseClick(fresh.clientArea(), Qt::LeftButton, {}, QPoint(100, 300));
    EXPECT_EQ(fresh.lbCurPosic->text(), ".............");

    readTyped(frameOf({{0, 4096}}), 1, 2);
    AndorImagen->btGraf->click();
    Lee->store.xExpMin = 400;
    Lee->store.yExpMin = 0;
    // x = 91 / (849 / 1024) + 400 = 509.757..., y = 166 / (259 / 256) = 164.07...
    QTest::mouseClick(AndorImagen->clientArea(), Qt::LeftButton, {}, QPoint(100, 300));
    EXPECT_EQ(AndorImagen->lbCurPosic->text(), "(  509.76,      164)");
    QTest::mouseClick(AndorImagen->clientArea(), Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(300, 300));
    EXPECT_EQ(AndorImagen->lbCurPosic->text(), "(  509.76,      164)");
}

TEST_F(ImageWindow, ButtonsShowTheTraceWindowAndHide) {
    AndorImagen->showWindow();
    AndorImagen->Button2->click();
    EXPECT_TRUE(Andor->isVisible());
    AndorImagen->Button1->click();
    EXPECT_FALSE(AndorImagen->isVisible());
    Andor->hide();
}

TEST_F(ImageWindow, ControlsStayAboveThePaintedArea) {
    AndorImagen->frame.SetupFrame();
    const auto& f = AndorImagen->frame;
    int clearedTop = f.frameBottom - f.frameHeight - 30;
    AndorImagen->rbOtro->click(); // with the typed-size controls shown
    for (QWidget* w :
         AndorImagen->clientArea()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_LT(w->geometry().bottom(), clearedTop) << w->objectName().toStdString();
}
