// Reading experimental and reference-line files into the spectrum store.
#include "store/SpectrumStore.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <memory>

using store::SpectrumStore;

namespace {

struct Read {
    std::unique_ptr<SpectrumStore> store = std::make_unique<SpectrumStore>();
    std::vector<std::string> list;
    store::ReadOutcome outcome;

    Read& experimental(std::string text) {
        auto in = textio::TextReader::fromString(std::move(text));
        outcome = store::readExperimental(in, *store,
                                          [this](const std::string& l) { list.push_back(l); });
        return *this;
    }
    Read& reference(std::string text) {
        auto in = textio::TextReader::fromString(std::move(text));
        outcome =
            store::readReference(in, *store, [this](const std::string& l) { list.push_back(l); });
        return *this;
    }
};

} // namespace

TEST(ReadExperimental, PairsBoundsAndListLines) {
    Read r;
    r.experimental("300.5 10\n400 -3 extra text\r\n899.25 7.5\n");
    const auto& s = *r.store;
    EXPECT_EQ(s.nExp, 3);
    EXPECT_TRUE(s.hayExp);
    EXPECT_EQ(s.xExp[2], 400);
    EXPECT_EQ(s.yExp[2], -3);
    EXPECT_EQ(s.xExpMin, 300.5);
    EXPECT_EQ(s.xExpMax, 899.25);
    EXPECT_EQ(s.yExpMin, -3);
    EXPECT_EQ(s.yExpMax, 10);
    EXPECT_EQ(r.list, (std::vector<std::string>{"300.5     10", "400     -3", "899.25     7.5"}));
}

TEST(ReadExperimental, EmptyFileKeepsTheStartingBounds) {
    Read r;
    r.experimental("");
    EXPECT_EQ(r.store->nExp, 0);
    EXPECT_TRUE(r.store->hayExp);
    EXPECT_EQ(r.store->xExpMax, 0);
    EXPECT_EQ(r.store->yExpMax, 0);
    EXPECT_EQ(r.store->xExpMin, 1e9);
    EXPECT_EQ(r.store->yExpMin, 1e9);
}

TEST(ReadExperimental, LineEndsAtTheEnd) {
    Read one;
    one.experimental("5 6\n7 8\n");
    EXPECT_EQ(one.store->nExp, 2);
    Read two;
    two.experimental("5 6\n7 8\n\n");
    EXPECT_EQ(two.store->nExp, 3);
    EXPECT_EQ(two.store->xExp[3], 0);
    EXPECT_EQ(two.store->yExp[3], 0);
    EXPECT_EQ(two.store->xExpMin, 0);
    Read between;
    between.experimental("5 6\n\n\n7 8");
    EXPECT_EQ(between.store->nExp, 2);
}

TEST(ReadExperimental, NegativeIntensitiesLeaveTheMaximumAtZero) {
    Read r;
    r.experimental("1 -5\n2 -7\n");
    EXPECT_EQ(r.store->yExpMax, 0);
    EXPECT_EQ(r.store->yExpMin, -7);
}

TEST(ReadExperimental, OneNumberOnALineTakesItsYFromTheNext) {
    Read r;
    r.experimental("1\n2 3 4\n5 6\n");
    EXPECT_EQ(r.store->nExp, 2);
    EXPECT_EQ(r.store->xExp[1], 1);
    EXPECT_EQ(r.store->yExp[1], 2);
    EXPECT_EQ(r.store->xExp[2], 5);
}

TEST(ReadExperimental, InvalidTokenKeepsEarlierPointsButNotTheCount) {
    Read r;
    r.experimental("1 2\n3 4\n");
    ASSERT_EQ(r.store->nExp, 2);
    r.store->hayExp = false;
    r.list.clear();
    EXPECT_THROW(r.experimental("10 20\n30 40\n50 abc\n"), textio::AppError);
    const auto& s = *r.store;
    EXPECT_EQ(s.nExp, 2);
    EXPECT_FALSE(s.hayExp);
    EXPECT_EQ(s.xExp[2], 30);
    EXPECT_EQ(s.xExp[3], 50); // the x of the broken record was already stored
    EXPECT_EQ(s.xExpMax, 30);
    EXPECT_EQ(s.xExpMin, 10);
    EXPECT_EQ(r.list.size(), 2u);
}

TEST(ReadExperimental, CtrlZEndsTheData) {
    Read r;
    r.experimental("1 2\r\n3 4\r\n\x1a\r\n5 6\r\n");
    EXPECT_EQ(r.store->nExp, 2);
}

TEST(ReadExperimental, LongFileStopsAtTheCapacity) {
    std::string text;
    for (int i = 1; i <= 4030; ++i)
        text += std::to_string(i) + " 1\n";
    Read r;
    r.store->zExp[1] = 99;
    r.experimental(text);
    EXPECT_TRUE(r.outcome.truncated);
    EXPECT_EQ(r.outcome.records, 4024);
    EXPECT_EQ(r.store->nExp, 4024);
    EXPECT_EQ(r.store->xExp[4024], 4024);
    EXPECT_EQ(r.store->xExpMax, 4024);
    EXPECT_EQ(r.store->zExp[1], 99);
    EXPECT_EQ(r.list.size(), 4024u);

    Read exact;
    exact.experimental(text.substr(0, text.find("4025 ")));
    EXPECT_FALSE(exact.outcome.truncated);
    EXPECT_EQ(exact.store->nExp, 4024);
}

TEST(ReadReference, DividesByTenAndKeepsTheLabelVerbatim) {
    Read r;
    r.reference("500 10 Al I\n4000.5 200 ArII  \n3000 5\n");
    const auto& s = *r.store;
    EXPECT_EQ(s.nRef, 3);
    EXPECT_EQ(s.xRef[1], 50);
    EXPECT_EQ(s.ionRef[1], " Al I");
    EXPECT_EQ(s.ionRef[2], " ArII ");
    EXPECT_EQ(s.ionRef[3], "");
    EXPECT_EQ(s.xRefMin, 50);
    EXPECT_EQ(s.xRefMax, 400.05);
    EXPECT_EQ(s.yRefMax, 200);
    EXPECT_EQ(s.yRefMin, 5);
    EXPECT_EQ(r.list[0], "50     10   Al I");
    EXPECT_EQ(r.list[2], "300     5  ");
    EXPECT_FALSE(s.hayExp);
}

TEST(ReadReference, CrLfLabelsStopBeforeTheLineEnd) {
    Read r;
    r.reference("4158.59 1000 Ar I\r\n4200.67 800 Ar I\r\n");
    EXPECT_EQ(r.store->nRef, 2);
    EXPECT_EQ(r.store->ionRef[1], " Ar I");
    EXPECT_EQ(r.store->ionRef[2], " Ar I");
}

TEST(ReadReference, LongFileStopsAtTheCapacity) {
    std::string text;
    for (int i = 1; i <= 2030; ++i)
        text += std::to_string(i * 10) + " 1 X\n";
    Read r;
    r.reference(text);
    EXPECT_TRUE(r.outcome.truncated);
    EXPECT_EQ(r.store->nRef, 2024);
    EXPECT_EQ(r.store->xRef[2024], 2024);
}

TEST(ReadWhole, SameRecordsAndBoundsAsTheStorePastItsCapacity) {
    std::string text = "4000 50 Ar II\n3990.5 7\n";
    for (int i = 1; i <= 2030; ++i)
        text += std::to_string(4100 + i) + " " + std::to_string(i % 90) + " X\n";
    auto in = textio::TextReader::fromString(text);
    store::WholeFile whole = store::readWholeReference(in);
    ASSERT_EQ(whole.x.size(), 2032u);
    EXPECT_EQ(whole.x[1], 399.05);
    EXPECT_EQ(whole.labels[0], " Ar II");
    EXPECT_EQ(whole.labels[1], "");
    EXPECT_EQ(whole.x.back(), 613);
    EXPECT_EQ(whole.bounds.xMax, 613);
    EXPECT_EQ(whole.bounds.yMin, 0);

    const std::string fits = "300.5 10\n400 -3 extra\r\n\n";
    Read r;
    r.experimental(fits);
    auto again = textio::TextReader::fromString(fits);
    store::WholeFile spectrum = store::readWholeExperimental(again);
    ASSERT_EQ(spectrum.x.size(), 3u); // the empty last line is a point (0, 0)
    EXPECT_EQ(r.store->nExp, 3);
    EXPECT_EQ(spectrum.y[1], r.store->yExp[2]);
    EXPECT_EQ(spectrum.bounds.xMin, r.store->xExpMin);
    EXPECT_EQ(spectrum.bounds.yMin, r.store->yExpMin);
    EXPECT_EQ(spectrum.bounds.yMax, r.store->yExpMax);
}
