// The ratio window: reading its inputs, and runs that give what extracting one pair at a time
// gives.
#include "WindowTestSupport.h"
#include "andor/AndorLee.h"
#include "eva/RazonLineas.h"
#include "store/Archivos.h"

#include "SyntheticImage.h"

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
    Razon->btTraza->click();
    EXPECT_EQ(capture.errors(), QStringList{"File not found"});
    EXPECT_TRUE(text("RazonInt.dat").startsWith("####  img1.asc\n40     "));
    EXPECT_TRUE(text("RazonInt.dat").endsWith("####  falta.asc\n"));

    // A bad wavelength stops at the first pair, with the trace already loaded.
    readInputs("img2.asc\n", "1 40\n");
    Razon->edCol1->setText("cuatro");
    Lee->store.nExp = 0;
    Razon->btTraza->click();
    EXPECT_EQ(capture.errors().back(), "'cuatro' is not a valid floating point value");
    EXPECT_EQ(Lee->store.nExp, 1024);
    EXPECT_EQ(text("RazonInt.dat"), "####  img2.asc\n");
}
