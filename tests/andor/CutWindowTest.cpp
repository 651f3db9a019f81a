// The split and crop window: its defaults, both modes, names, the list and bad input.
#include "WindowTestSupport.h"
#include "andor/Cut.h"

#include <QFile>
#include <gtest/gtest.h>

using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

std::string numberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text.append(std::to_string(i)).append(" 5 6\r\n");
    return text;
}

class CutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        CortaDivide->rb1024x256->setChecked(true);
        CortaDivide->rbUno->setChecked(true);
        CortaDivide->edCuadroN->setText("1");
        CortaDivide->edRenIni->setText("190");
        CortaDivide->edRenFin->setText("810");
    }
    QByteArray bytes(const QString& name) const {
        QFile f(work.path(name));
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return f.readAll();
    }
    WorkFolder work;
    DialogScript script;
};

} // namespace

TEST_F(CutWindow, ControlsHaveTheirTextsAndDefaults) {
    EXPECT_EQ(CortaDivide->objectName(), "CortaDivide");
    EXPECT_EQ(CortaDivide->windowTitle(),
              "Corta archivo Andor en subimagenes y las recorta al gusto");
    EXPECT_EQ(CortaDivide->GroupBox2->title(), "Imagen Original");
    EXPECT_EQ(CortaDivide->GroupBox3->title(), "Cuadros");
    EXPECT_EQ(CortaDivide->GroupBox1->title(), "Recorta de");
    EXPECT_EQ(CortaDivide->Label1->text(), "Renglón inicial");
    EXPECT_EQ(CortaDivide->Label2->text(), "Renglón final");
    EXPECT_EQ(CortaDivide->Label3->text(), "Tamaño actual");
    EXPECT_EQ(CortaDivide->lbTamanio->text(), "0");
    EXPECT_EQ(CortaDivide->btLeeArch->text(), "&Lee archivo imagen");
    EXPECT_EQ(CortaDivide->Button2->text(), "&Regresa");
    EXPECT_EQ(CortaDivide->rbUno->text(), "un cuadro");
    EXPECT_EQ(CortaDivide->rbTodos->text(), "Todos");
    EXPECT_EQ(CortaDivide->findChild<QLineEdit*>("edRenIni"), CortaDivide->edRenIni);
}

TEST_F(CutWindow, DefaultCropWrites621LinesOfFrameOne) {
    std::string text = numberedLines(2048);
    script.choose(work.write("imagen.asc", text));
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(CortaDivide->lbAndorArch->text(), "imagen");
    QList<QByteArray> lines = bytes("imagen_c1.dat").split('\n');
    ASSERT_EQ(lines.size(), 622);
    EXPECT_EQ(lines.front(), "190 5 6\r");
    EXPECT_EQ(lines[620], "810 5 6\r");
    EXPECT_EQ(CortaDivide->ListBox1->count(), 0);
}

TEST_F(CutWindow, CropNamesTheFileWithTheFrameTextAsTyped) {
    script.choose(work.write("img.asc", numberedLines(2 * 1024)));
    CortaDivide->edCuadroN->setText(" 2");
    CortaDivide->btLeeArch->click();
    QList<QByteArray> lines = bytes("img_c 2.dat").split('\n');
    ASSERT_EQ(lines.size(), 622);
    EXPECT_EQ(lines.front(), "1214 5 6\r");
}

TEST_F(CutWindow, SplitOfThreeFramesListsCountsAndWritesThreeFiles) {
    script.choose(work.write("tres.asc", numberedLines(3 * 2048)));
    CortaDivide->rb2048x2048->setChecked(true);
    CortaDivide->rbTodos->setChecked(true);
    CortaDivide->edRenIni->setText("1");
    CortaDivide->edRenFin->setText("2");
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(CortaDivide->ListBox1->items(),
              (QStringList{"Cuadro = 1", "Cuadro = 2", "Cuadro = 2", "Cuadro = 3", "Cuadro = 3",
                           "Cuadro = 4"}));
    EXPECT_EQ(bytes("tres_c1.asc"), "1 5 6\r\n2 5 6\r\n");
    EXPECT_EQ(bytes("tres_c3.asc"), "4097 5 6\r\n4098 5 6\r\n");
    EXPECT_FALSE(QFile::exists(work.path("tres_c4.asc")));
}

TEST_F(CutWindow, SplitOfAnEmptyFileWritesNothingAndEmptiesTheList) {
    CortaDivide->ListBox1->add("viejo");
    script.choose(work.write("vacio.asc", ""));
    CortaDivide->rbTodos->setChecked(true);
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(CortaDivide->ListBox1->count(), 0);
    EXPECT_FALSE(QFile::exists(work.path("vacio_c1.asc")));
}

TEST_F(CutWindow, ShortNameGivesNamesBeginningWithUnderscoreC) {
    script.choose(work.write("a.b", numberedLines(3)));
    CortaDivide->rbTodos->setChecked(true);
    CortaDivide->edRenIni->setText("1");
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(CortaDivide->lbAndorArch->text(), "");
    EXPECT_TRUE(QFile::exists(work.path("_c1.asc")));
}

TEST_F(CutWindow, CancelChangesNothing) {
    CortaDivide->lbAndorArch->setText("antes");
    script.cancel();
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(CortaDivide->lbAndorArch->text(), "antes");
}

TEST_F(CutWindow, BadNumbersStopBeforeTheFileIsOpened) {
    MessageCapture capture;
    for (const char* box : {"edCuadroN", "edRenIni", "edRenFin"}) {
        SetUp();
        CortaDivide->lbAndorArch->setText("antes");
        CortaDivide->findChild<QLineEdit*>(box)->setText("1x");
        script.choose(work.write("img.asc", numberedLines(3)));
        CortaDivide->btLeeArch->click();
        EXPECT_EQ(CortaDivide->lbAndorArch->text(), "antes") << box;
    }
    EXPECT_EQ(capture.errors(), (QStringList(3, "'1x' is not a valid integer value")));
    EXPECT_FALSE(QFile::exists(work.path("img_c1.dat")));
}

TEST_F(CutWindow, MissingFileIsReportedAndWritesNothing) {
    MessageCapture capture;
    script.choose(work.path("no_hay.asc"));
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(capture.errors(), QStringList{"File not found"});
    EXPECT_FALSE(QFile::exists(work.path("no_hay_c1.dat")));
}

TEST_F(CutWindow, AnOutputThatIsTheInputFileIsRefused) {
    MessageCapture capture;
    std::string text = numberedLines(5);
    QString input = work.write("img.asc", text);
    // A second name for the input file, where the crop would write.
    ASSERT_TRUE(QFile::link(input, work.path("img_c1.dat")));
    script.choose(input);
    CortaDivide->btLeeArch->click();
    ASSERT_EQ(capture.errors().size(), 1);
    EXPECT_TRUE(capture.errors().front().contains("img_c1.dat"));
    EXPECT_EQ(bytes("img.asc"), QByteArray::fromStdString(text));
}

TEST_F(CutWindow, ASplitThatWouldOverwriteTheInputWritesNothing) {
    MessageCapture capture;
    CortaDivide->rbTodos->setChecked(true);
    std::string text = numberedLines(3000);
    QString input = work.write("img.asc", text);
    // The third frame's output would be the input under another name.
    ASSERT_TRUE(QFile::link(input, work.path("img_c3.asc")));
    script.choose(input);
    CortaDivide->btLeeArch->click();
    ASSERT_EQ(capture.errors().size(), 1);
    EXPECT_TRUE(capture.errors().front().contains("img_c3.asc"));
    EXPECT_EQ(bytes("img.asc"), QByteArray::fromStdString(text));
    EXPECT_FALSE(QFile::exists(work.path("img_c1.asc")));
    // Names that only look alike are no obstacle.
    QFile::remove(work.path("img_c3.asc"));
    ASSERT_TRUE(QFile::link(input, work.path("img_c3x.asc")));
    script.choose(input);
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(capture.errors().size(), 1);
    EXPECT_TRUE(QFile::exists(work.path("img_c3.asc")));
    EXPECT_EQ(bytes("img.asc"), QByteArray::fromStdString(text));
}

TEST_F(CutWindow, UnwritableOutputIsReported) {
    MessageCapture capture;
    script.choose(work.write("img.asc", numberedLines(5)));
    QDir(work.path("")).mkdir("img_c1.dat");
    CortaDivide->btLeeArch->click();
    EXPECT_EQ(capture.errors(), QStringList{"File access denied"});
}

TEST_F(CutWindow, RegresaHides) {
    CortaDivide->showWindow();
    CortaDivide->Button2->click();
    EXPECT_FALSE(CortaDivide->isVisible());
}
