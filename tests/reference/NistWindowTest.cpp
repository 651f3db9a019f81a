// The line-list conversion window: names, list, output file, refusals and failures.
#include "WindowTestSupport.h"
#include "reference/NistConvierte.h"

#include <QFile>
#include <gtest/gtest.h>

using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

const std::string sampleList = "Ar I        6965.431 |  10000 | 6.4e+06 |\n"
                               "Ar I        7067.218 |     50 | 3.8e+06 |\n"
                               "Ar II       4609.567 |   500* | 7.9e+07 |\n"
                               "            1000.000 |  10000 | 1.0e+06 |\n"
                               "Ar II       4610.000 |        | 1.0e+06 |\n";

class NistWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Nist->edImin->setText("100");
        Nist->OpenDialog1->setFilter("dat|*.dat|asc|*.asc");
    }
    QByteArray contents(const QString& name) const {
        QFile f(work.path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    WorkFolder work;
    DialogScript script;
};

} // namespace

TEST_F(NistWindow, ConvertsBesideTheInput) {
    EXPECT_EQ(Nist->OpenDialog1->filter(), "dat|*.dat|asc|*.asc");
    script.choose(work.write("argon.asc", sampleList));
    Nist->btLeeLineas->click();
    EXPECT_EQ(Nist->lbArchNist->text(), "argon");
    EXPECT_EQ(contents("argon.dat"), " 6965.431    10000  Ar I  \n 4609.567     500 Ar II \n");
    ASSERT_EQ(Nist->ListBox1->count(), 2);
    EXPECT_EQ(Nist->ListBox1->item(0), "1 Ar I    6965.431    10000 ");
    EXPECT_EQ(Nist->ListBox1->item(1), "2 Ar II   4609.567     500");
    EXPECT_EQ(Nist->OpenDialog1->filter(), "asc");
    // The dialog then offers every file under that description.
    EXPECT_EQ(Nist->OpenDialog1->nameFilters(), QStringList{"asc (*)"});
}

TEST_F(NistWindow, ASecondConversionReplacesTheOutputAndTheList) {
    script.choose(work.write("argon.asc", sampleList));
    Nist->btLeeLineas->click();
    script.choose(work.write("argon.asc", "Ar I        1234.500 |    900 | 1.0e+06 |\n"));
    Nist->btLeeLineas->click();
    EXPECT_EQ(contents("argon.dat"), " 1234.500      900  Ar I  \n");
    EXPECT_EQ(Nist->ListBox1->items(), QStringList{"1 Ar I    1234.500      900 "});
}

TEST_F(NistWindow, CancelChangesNothing) {
    Nist->lbArchNist->setText("antes");
    script.cancel();
    Nist->btLeeLineas->click();
    EXPECT_EQ(Nist->lbArchNist->text(), "antes");
}

TEST_F(NistWindow, RefusesToOverwriteItsInput) {
    MessageCapture capture;
    QString input = work.write("lista.dat", sampleList);
    script.choose(input);
    Nist->btLeeLineas->click();
    ASSERT_EQ(capture.errors().size(), 1);
    EXPECT_TRUE(capture.errors()[0].contains("lista.dat"));
    EXPECT_EQ(contents("lista.dat"), QByteArray::fromStdString(sampleList));
}

TEST_F(NistWindow, BadLimitLeavesAnEmptyOutput) {
    MessageCapture capture;
    Nist->edImin->setText("cien");
    script.choose(work.write("argon.asc", sampleList));
    Nist->btLeeLineas->click();
    EXPECT_EQ(capture.errors(), QStringList{"'cien' is not a valid integer value"});
    EXPECT_EQ(contents("argon.dat"), "");
    EXPECT_EQ(Nist->ListBox1->count(), 0);
}

TEST_F(NistWindow, UnlistedFlagStopsWithEarlierLinesKept) {
    MessageCapture capture;
    script.choose(work.write("argon.asc", sampleList +
                                              "Ar I        8000.000 |   300h | 1.0e+06 |\n"
                                              "Ar I        9000.000 |   300  | 1.0e+06 |\n"));
    Nist->btLeeLineas->click();
    EXPECT_EQ(capture.errors(), QStringList{"'   300h ' is not a valid floating point value"});
    EXPECT_EQ(contents("argon.dat"), " 6965.431    10000  Ar I  \n 4609.567     500 Ar II \n");
}

TEST_F(NistWindow, MissingInputAndShortNames) {
    MessageCapture capture;
    script.choose(work.path("nada.asc"));
    Nist->btLeeLineas->click();
    EXPECT_EQ(capture.errors(), QStringList{"File not found"});
    script.choose(work.write("a.b", ""));
    Nist->btLeeLineas->click();
    EXPECT_EQ(Nist->lbArchNist->text(), "");
    EXPECT_EQ(contents(".dat"), "");
}

TEST_F(NistWindow, RegresaHides) {
    Nist->showWindow();
    Nist->Button1->click();
    EXPECT_FALSE(Nist->isVisible());
}
