// The peak search window: list, "cosa3.dat", repeat presses and bad counts.
#include "WindowTestSupport.h"
#include "reference/Picos.h"
#include "store/Archivos.h"

#include <QFile>
#include <gtest/gtest.h>

using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

class PicosWindow : public ::testing::Test {
protected:
    void SetUp() override {
        BuscaPicos->Edit1->setText("6");
        auto& s = Lee->store;
        s.nExp = 100;
        for (int i = 1; i <= 100; ++i) {
            s.xExp[i] = 400 + 0.5 * i;
            s.yExp[i] = 100 - 0.1 * i;
        }
        s.yExp[50] = 1000;
    }
    void TearDown() override { Lee->store.nExp = 0; }
    QByteArray cosa3() const {
        QFile f(work.path("cosa3.dat"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    WorkFolder work;
};

} // namespace

TEST_F(PicosWindow, ListsAndWritesThePeakTheSameOnEveryPress) {
    BuscaPicos->btPicos->click();
    const QByteArray first = cosa3();
    EXPECT_EQ(first, "   425.000               94.65             1000.00\n");
    ASSERT_EQ(BuscaPicos->ListBox1->count(), 1);
    EXPECT_EQ(BuscaPicos->ListBox1->item(0), "425     94.65");
    EXPECT_EQ(BuscaPicos->averageCount, 6);
    BuscaPicos->btPicos->click();
    EXPECT_EQ(cosa3(), first);
    EXPECT_EQ(BuscaPicos->ListBox1->items(), QStringList{"425     94.65"});
}

TEST_F(PicosWindow, BadCountsChangeNothing) {
    MessageCapture capture;
    BuscaPicos->btPicos->click();
    BuscaPicos->Edit1->setText("seis");
    BuscaPicos->btPicos->click();
    BuscaPicos->Edit1->setText("-2");
    BuscaPicos->btPicos->click();
    ASSERT_EQ(capture.errors().size(), 2);
    EXPECT_EQ(capture.errors()[0], "'seis' is not a valid integer value");
    EXPECT_EQ(BuscaPicos->ListBox1->count(), 1);
    EXPECT_EQ(BuscaPicos->averageCount, 6);
}

TEST_F(PicosWindow, ZeroCountLeavesAnEmptyFile) {
    MessageCapture capture;
    BuscaPicos->Edit1->setText("0");
    BuscaPicos->btPicos->click();
    EXPECT_EQ(capture.errors(), QStringList{"Invalid floating point operation"});
    EXPECT_EQ(cosa3(), "");
}

TEST_F(PicosWindow, NoSpectrumGivesAnEmptyFile) {
    Lee->store.nExp = 0;
    BuscaPicos->btPicos->click();
    EXPECT_EQ(cosa3(), "");
    EXPECT_EQ(BuscaPicos->ListBox1->count(), 0);
}

TEST_F(PicosWindow, ALoadedSpectrumNamedLikeThePeakFileIsKept) {
    MessageCapture capture;
    Lee->LoadExperimentalFile(work.write("cosa3.dat", "400 1\n401 5\n402 1\n"));
    BuscaPicos->btPicos->click();
    ASSERT_EQ(capture.errors().size(), 1);
    EXPECT_TRUE(capture.errors()[0].contains("mismo archivo"));
    EXPECT_EQ(cosa3(), "400 1\n401 5\n402 1\n");
}
