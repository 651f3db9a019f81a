// The ratio window: reading its inputs, and runs that give what extracting one pair at a time
// gives.
#include "WindowTestSupport.h"
#include "andor/AndorLee.h"
#include "eva/RazonLineas.h"
#include "platform/Guard.h"
#include "store/Archivos.h"

#include "SyntheticImage.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

class RazonWindow : public ::testing::Test {
protected:
    QString text(const QString& name) const {
        QFile f(work.path(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : "<missing>";
    }
    void readInputs(const std::string& list, const std::string& sequence) {
        script.choose(work.write("lista.txt", list));
        script.choose(work.write("secuencia.txt", sequence));
        Razon->btListaArch->click();
        Razon->btLeeSec->click();
    }
    void resetResults() {
        Razon->background = Razon->intensityLine1 = Razon->intensityRef1 = Razon->intensityAr = 0;
    }
    // RazonInt.dat as a run that extracts and loads every pair one at a time writes it.
    QString oneAtATime() {
        resetResults();
        QString out;
        for (int f = 1; f <= Razon->fileCount; ++f) {
            out += QString::fromStdString("####  " + Razon->fileNames[f]) + "\n";
            for (int j = 1; j <= Razon->sequenceCount; ++j) {
                Andor->ExtractTraceToTemp(QString::fromStdString(Razon->fileNames[f]),
                                          Razon->fibre[j]);
                Razon->btCalcRazonClick();
                eva::RatioState s{Razon->background,  Razon->intensityLine1, Razon->intensityRef1,
                                  Razon->intensityAr, Razon->ratioR1,        Razon->ratioArLine1,
                                  Razon->ratioArRef1};
                out += QString::fromStdString(eva::resultLine(Razon->fibre[j], s)) + "\n";
            }
        }
        return out;
    }
    void writeImages() {
        for (std::uint32_t seed : {1u, 2u, 3u}) {
            synthetic::ImageShape shape;
            shape.frames = 2;
            shape.seed = seed;
            work.write(QStringLiteral("img%1.asc").arg(seed), synthetic::makeImage(shape));
        }
    }
    WorkFolder work;
    DialogScript script;
};

} // namespace

TEST_F(RazonWindow, InputsAreListedAndReadAgainFromTheStart) {
    readInputs("a.asc\nb c.asc\n", "1 7\n2 9\n3 11\n");
    EXPECT_EQ(Razon->ListBox1->items(),
              (QStringList{"1     a.asc", "2     b c.asc", "1     7", "2     9", "3     11"}));
    EXPECT_EQ(Razon->fileCount, 2);
    EXPECT_EQ(Razon->sequenceCount, 3);
    EXPECT_EQ(Razon->lbArchSec->text(), "secuencia.txt");
    script.choose(work.write("otra.txt", "5 40\n"));
    Razon->btLeeSec->click();
    EXPECT_EQ(Razon->sequenceCount, 1);
    EXPECT_EQ(Razon->fibre[1], 40);
    EXPECT_EQ(Razon->ListBox1->count(), 6);
    script.cancel();
    Razon->btLeeSec->click();
    EXPECT_EQ(Razon->sequenceCount, 1);
}

TEST_F(RazonWindow, EmptyInputsGiveHeadingsOnly) {
    Razon->btTraza->click();
    EXPECT_EQ(Razon->ListBox1->items(), QStringList{"Archivo  Fibra   Razon "});
    EXPECT_EQ(text("RazonInt.dat"), "");
    readInputs("a.asc\nb.asc\n", "");
    Razon->btTraza->click();
    EXPECT_EQ(text("RazonInt.dat"), "####  a.asc\n####  b.asc\n");
}

TEST_F(RazonWindow, BadInputsAreReported) {
    MessageCapture capture;
    script.choose(work.write("mala.txt", "1 x\n"));
    Razon->btLeeSec->click();
    script.choose(work.path("falta.txt"));
    Razon->btListaArch->click();
    EXPECT_EQ(capture.errors(), (QStringList{"Invalid numeric input", "File not found"}));
    EXPECT_EQ(Razon->sequenceCount, 0);
}

TEST_F(RazonWindow, RunGivesWhatOnePairAtATimeGives) {
    writeImages();
    readInputs("img1.asc\nimg2.asc\nimg3.asc\n", "1 40\n2 128\n3 200\n4 1\n5 300\n");
    Andor->edCuadroN->setText("2");
    for (const char* sum : {"5", "1"}) {
        Andor->ednsum->setText(sum);
        QString expected = oneAtATime();
        QString lastTemp = text("temp.dat");
        int lastList = Andor->ListBox1->count();
        resetResults();
        QFile::remove(work.path("temp.dat"));
        Razon->btTraza->click();
        EXPECT_EQ(text("RazonInt.dat"), expected) << "n = " << sum;
        EXPECT_EQ(text("temp.dat"), lastTemp);
        EXPECT_EQ(Andor->ListBox1->count(), lastList);
        EXPECT_EQ(Lee->store.nExp, lastList);
    }
    // Line mode cuts across the slit at each fibre's line.
    Andor->rbRen->click();
    Razon->edColFon->setText("1");
    Razon->edCol1->setText("100");
    Razon->edColR1->setText("30");
    Razon->edColAr->setText("200");
    QString expected = oneAtATime();
    resetResults();
    Razon->btTraza->click();
    EXPECT_EQ(text("RazonInt.dat"), expected);
}

TEST_F(RazonWindow, FailuresStopTheRunAndKeepTheLinesWritten) {
    MessageCapture capture;
    writeImages();
    readInputs("img1.asc\nfalta.asc\n", "1 40\n");
    Lee->store.nExp = 0;
    Razon->btTraza->click();
    EXPECT_EQ(capture.errors(), QStringList{"File not found"});
    EXPECT_TRUE(text("RazonInt.dat").startsWith("####  img1.asc\n40     "));
    EXPECT_TRUE(text("RazonInt.dat").endsWith("####  falta.asc\n"));

    // The store holds the trace of the last pair processed, taken from a frame read once.
    EXPECT_EQ(Lee->store.nExp, 1024);

    // A bad wavelength stops at the first pair, with the trace already loaded.
    readInputs("img2.asc\n", "1 40\n");
    Razon->edCol1->setText("cuatro");
    Lee->store.nExp = 0;
    Razon->btTraza->click();
    EXPECT_EQ(capture.errors().back(), "'cuatro' is not a valid floating point value");
    EXPECT_EQ(Lee->store.nExp, 1024);
    EXPECT_EQ(text("RazonInt.dat"), "####  img2.asc\n");
}

TEST_F(RazonWindow, ATempFileThatCannotBeMadeStopsTheFirstPair) {
    MessageCapture capture;
    writeImages();
    QDir(work.path("")).mkdir("temp.dat");
    readInputs("img1.asc\n", "1 40\n2 41\n");
    int listed = Razon->ListBox1->count();
    Razon->btTraza->click();
    EXPECT_EQ(capture.errors(), QStringList{"File access denied"});
    EXPECT_EQ(text("RazonInt.dat"), "####  img1.asc\n");
    EXPECT_EQ(Razon->ListBox1->count(), listed + 1); // the heading only
}

TEST_F(RazonWindow, AFailingRatioKeepsWhatItsCalculationFound) {
    MessageCapture capture;
    work.write("temp.dat", "400 5\n402 5\n404 5\n406 5\n408 5\n410 5\n412 5\n414 5\n"
                           "416 5\n418 5\n420 5\n422 5\n");
    Razon->background = Razon->intensityLine1 = Razon->intensityRef1 = Razon->intensityAr = 99;
    platform::guarded([] { Razon->btCalcRazonClick(); });
    EXPECT_EQ(capture.errors(), QStringList{"Invalid floating point operation"});
    EXPECT_EQ(Razon->background, 5);
    EXPECT_EQ(Razon->intensityLine1, 5);
    EXPECT_EQ(Razon->intensityRef1, 5);
    EXPECT_EQ(Razon->intensityAr, 5);
}

TEST_F(RazonWindow, OutputsNeverReplaceTheRunsInputs) {
    MessageCapture capture;
    writeImages();
    // The file list itself named like the results file.
    script.choose(work.write("RazonInt.dat", "img1.asc\n"));
    script.choose(work.write("secuencia.txt", "1 40\n"));
    Razon->btListaArch->click();
    Razon->btLeeSec->click();
    Razon->btTraza->click();
    EXPECT_EQ(text("RazonInt.dat"), "img1.asc\n");
    // "temp.dat" a link to the sequence file.
    QFile::remove(work.path("RazonInt.dat"));
    readInputs("img1.asc\n", "1 40\n");
    QFile::link(work.path("secuencia.txt"), work.path("temp.dat"));
    Razon->btTraza->click();
    EXPECT_EQ(text("secuencia.txt"), "1 40\n");
    // An image of the list named like the results file.
    QFile::remove(work.path("temp.dat"));
    QFile::rename(work.path("img1.asc"), work.path("RazonInt.dat"));
    QString image = text("RazonInt.dat");
    readInputs("RazonInt.dat\n", "1 40\n");
    Razon->btTraza->click();
    EXPECT_EQ(text("RazonInt.dat"), image);
    ASSERT_EQ(capture.errors().size(), 3);
    for (const QString& error : capture.errors())
        EXPECT_TRUE(error.contains("mismo archivo")) << error.toStdString();
}
