// The data-loading window: dialogs, modes, list lines, label colour and failure rules.
#include "WindowTestSupport.h"
#include "store/Archivos.h"

#include <gtest/gtest.h>

using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

TEST(LeeWindow, ReadsAnExperimentalFileThroughTheDialog) {
    WorkFolder work;
    QString file = work.write("espectro.dat", "400 10\n410 30\n420 20\n");
    DialogScript script;
    script.choose(file);
    Lee->btLeeExp->click();
    EXPECT_EQ(script.asked, QStringList{"OpenDialog2"});
    const auto& s = Lee->store;
    EXPECT_EQ(s.nExp, 3);
    EXPECT_TRUE(s.hayExp);
    EXPECT_EQ(s.archExp, "espectro.dat");
    EXPECT_EQ(Lee->lbArchExp->text(), "espectro.dat");
    EXPECT_EQ(Lee->lbArchExp->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(Lee->ListBox1->items(), (QStringList{"400     10", "410     30", "420     20"}));
}

TEST(LeeWindow, CancellingTheExperimentalDialogClearsOnlyTheFlag) {
    WorkFolder work;
    DialogScript script;
    script.choose(work.write("a.dat", "1 2\n3 4\n"));
    script.cancel();
    Lee->btLeeExp->click();
    ASSERT_TRUE(Lee->store.hayExp);
    Lee->btLeeExp->click();
    EXPECT_FALSE(Lee->store.hayExp);
    EXPECT_EQ(Lee->store.nExp, 2);
    EXPECT_EQ(Lee->store.xExp[2], 3);
    EXPECT_EQ(Lee->ListBox1->count(), 2);
}

TEST(LeeWindow, MissingFileReportsFileNotFoundAndKeepsTheOldData) {
    WorkFolder work;
    MessageCapture capture;
    DialogScript script;
    script.choose(work.write("good.dat", "1 2\n3 4\n"));
    script.choose(work.path("gone.dat"));
    Lee->btLeeExp->click();
    Lee->btLeeExp->click();
    EXPECT_EQ(capture.errors(), QStringList{"File not found"});
    EXPECT_EQ(Lee->store.nExp, 2);
    EXPECT_EQ(Lee->store.xExpMax, 3);
    EXPECT_EQ(Lee->store.archExp, "gone.dat");
    EXPECT_EQ(Lee->lbArchExp->text(), "gone.dat");
    EXPECT_EQ(Lee->ListBox1->count(), 0);
}

TEST(LeeWindow, BadTokenReportsInvalidNumericInput) {
    WorkFolder work;
    MessageCapture capture;
    DialogScript script;
    script.choose(work.write("bad.dat", "1 2\n3 1,5\n"));
    Lee->store.nExp = 7;
    Lee->btLeeExp->click();
    EXPECT_EQ(capture.errors(), QStringList{"Invalid numeric input"});
    EXPECT_EQ(Lee->store.nExp, 7);
    EXPECT_EQ(Lee->ListBox1->count(), 1);
}

TEST(LeeWindow, LoadExperimentalFileLeavesTheChosenName) {
    WorkFolder work;
    DialogScript script;
    script.choose(work.write("chosen.dat", "1 2\n"));
    Lee->btLeeExp->click();
    Lee->LoadExperimentalFile(work.write("temp.dat", "5 6\n7 8\n9 10\n"));
    EXPECT_EQ(Lee->store.nExp, 3);
    EXPECT_EQ(Lee->store.archExp, "chosen.dat");
    EXPECT_EQ(Lee->lbArchExp->text(), "chosen.dat");
    EXPECT_EQ(Lee->ListBox1->count(), 3);
}

TEST(LeeWindow, ReadsReferenceLinesAndCancelChangesNothing) {
    WorkFolder work;
    DialogScript script;
    script.choose(work.write("argon.dat", "4158.59 1000 Ar I\n4200.67 800 Ar II\n"));
    script.cancel();
    Lee->btLeeRef->click();
    EXPECT_EQ(script.asked, QStringList{"OpenDialog1"});
    EXPECT_EQ(Lee->store.nRef, 2);
    EXPECT_EQ(Lee->store.archRef, "argon.dat");
    EXPECT_EQ(Lee->lbArchEspec->text(), "argon.dat");
    EXPECT_EQ(Lee->ListBox1->item(1), "420.067     800   Ar II");
    Lee->btLeeRef->click();
    EXPECT_EQ(Lee->store.nRef, 2);
    EXPECT_EQ(Lee->lbArchEspec->text(), "argon.dat");
}

TEST(LeeWindow, TooLongFileIsCutAtTheCapacityWithAMessage) {
    WorkFolder work;
    MessageCapture capture;
    DialogScript script;
    std::string text;
    for (int i = 0; i < 4100; ++i)
        text += std::to_string(i) + " 1\n";
    script.choose(work.write("long.dat", text));
    Lee->btLeeExp->click();
    EXPECT_EQ(Lee->store.nExp, 4024);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].kind, platform::MessageKind::Box);
    EXPECT_TRUE(capture.messages[0].text.contains("4024"));
}

TEST(LeeWindow, ModesShowOneGroupEach) {
    Lee->openExperimental();
    EXPECT_TRUE(Lee->isVisible());
    EXPECT_TRUE(Lee->GroupBox2->isVisible());
    EXPECT_FALSE(Lee->GroupBox3->isVisible());
    Lee->openReference();
    EXPECT_FALSE(Lee->GroupBox2->isVisible());
    EXPECT_TRUE(Lee->GroupBox3->isVisible());
    Lee->Button2->click();
    EXPECT_FALSE(Lee->isVisible());
}

TEST(LeeWindow, LongFileNamesTakeTheWindowWidthAndStayWholeInTheText) {
    WorkFolder work;
    DialogScript script;
    const QString trace = "argon_550nm_c1_y512_fibra_central.dat";
    const QString lines = "lineas_argon_nist_550nm_observadas.dat";
    script.choose(work.write(trace, "1 2\n"));
    script.choose(work.write(lines, "4158.59 1000 Ar I\n"));
    Lee->openExperimental();
    Lee->btLeeExp->click();
    Lee->openReference();
    Lee->btLeeRef->click();
    for (platform::NameLabel* label : {Lee->lbArchExp, Lee->lbArchEspec}) {
        EXPECT_EQ(label->shownText(), label->text());
        EXPECT_EQ(label->toolTip(), label->text());
        EXPECT_LE(label->mapTo(Lee, QPoint(label->width(), 0)).x(), Lee->width());
    }
    EXPECT_EQ(Lee->lbArchExp->text(), trace);
    EXPECT_EQ(Lee->lbArchEspec->text(), lines);
    Lee->Button2->click();
}
