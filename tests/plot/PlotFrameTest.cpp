// The plot frame: layout, ticks, tick labels and points, checked through a recording canvas.
#include "plot/PlotFrame.h"
#include "platform/Canvas.h"
#include "platform/Form.h"

#include <gtest/gtest.h>

#include <stdexcept>

using platform::CanvasCall;
using platform::RecordingCanvas;
using plot::PlotFrame;
using plot::PlotLimits;

namespace {

// The range the frames under test label their ticks with.
PlotLimits testLimits;

struct Fixture {
    RecordingCanvas canvas;
    platform::Form form;
    PlotFrame frame;
    PlotLimits& limits = testLimits;

    explicit Fixture(QSize size = {1000, 600})
        : form(QStringLiteral("PlotFrameTest"), QStringLiteral("PlotFrameTest"), size.width(),
               size.height()),
          frame(form, [] { return testLimits; }) {
        form.setCanvas(&canvas);
        testLimits = {900, 300, 100, 0};
    }
    std::vector<CanvasCall> texts() const { return canvas.callsOf("textOut"); }
};

QStringList textsOf(const std::vector<CanvasCall>& calls) {
    QStringList out;
    for (const auto& c : calls)
        out << c.text;
    return out;
}

} // namespace

TEST(PlotFrame, LayoutTicksAndLabelPositionsFor1000x600) {
    Fixture f;
    f.frame.drawEmptyFrame();
    const PlotFrame& p = f.frame;
    EXPECT_EQ(p.frameLeft, 80);
    EXPECT_EQ(p.frameBottom, 564);
    EXPECT_EQ(p.frameWidth, 850);
    EXPECT_EQ(p.frameHeight, 360);
    EXPECT_EQ(p.clientWidth, 1000);
    EXPECT_TRUE(p.frameReady);
    EXPECT_EQ(p.nDivX, 6);
    EXPECT_EQ(p.nDivY, 4);

    auto rect = f.canvas.callsOf("rectangle");
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_EQ(rect[0].args, (std::vector<int>{30, 174, 980, 594}));
    EXPECT_EQ(f.canvas.brushColor(), 0xFFFFFFu);
    EXPECT_EQ(f.canvas.penColor(), 0x000000u);

    auto lines = f.canvas.callsOf("lineTo");
    ASSERT_EQ(lines.size(), 2u + 7u + 5u);
    EXPECT_EQ(lines[0].args, (std::vector<int>{80, 564, 930, 564}));
    EXPECT_EQ(lines[1].args, (std::vector<int>{80, 564, 80, 204}));
    std::vector<int> xTicks, yTicks;
    for (int i = 0; i < 7; ++i) {
        const auto& a = lines[static_cast<std::size_t>(2 + i)].args;
        EXPECT_EQ(a[1], 564);
        EXPECT_EQ(a[3], 570);
        xTicks.push_back(a[0]);
    }
    for (int j = 0; j < 5; ++j) {
        const auto& a = lines[static_cast<std::size_t>(9 + j)].args;
        EXPECT_EQ(a[0], 80);
        EXPECT_EQ(a[2], 74);
        yTicks.push_back(a[1]);
    }
    EXPECT_EQ(xTicks, (std::vector<int>{80, 222, 363, 505, 647, 788, 930}));
    EXPECT_EQ(yTicks, (std::vector<int>{564, 474, 384, 294, 204}));

    auto texts = f.texts();
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[0].args, (std::vector<int>{80, 570}));
    EXPECT_EQ(texts[6].args, (std::vector<int>{930, 570}));
    EXPECT_EQ(texts[7].args, (std::vector<int>{44, 564}));
    EXPECT_EQ(texts[11].args, (std::vector<int>{44, 204}));
    EXPECT_EQ(textsOf(texts), (QStringList{"300", "400", "500", "600", "700", "800", "900", "0",
                                           "25", "50", "75", "100"}));
}

TEST(PlotFrame, TickLabelsRoundHalvesToEvenAndFollowTheLimits) {
    Fixture f;
    f.limits = {700, 400, 10, 0};
    f.frame.drawEmptyFrame();
    auto texts = textsOf(f.texts());
    EXPECT_EQ(texts.mid(0, 7), (QStringList{"400", "450", "500", "550", "600", "650", "700"}));
    // y steps of 2.5: 12.5 -> 12, 7.5 -> 8, 2.5 -> 2.
    EXPECT_EQ(texts.mid(7), (QStringList{"0", "2", "5", "8", "10"}));

    Fixture half;
    half.limits = {13.5, 13.5, -1, -1};
    half.frame.drawEmptyFrame();
    EXPECT_EQ(textsOf(half.texts()).mid(0, 7), QStringList(7, "14")); // equal limits: no failure
    EXPECT_EQ(textsOf(half.texts()).mid(7), QStringList(5, "-1"));
}

TEST(PlotFrame, PolylineStartsInsideTheFrameAndContinuesWhereverPointsFall) {
    Fixture f;
    f.frame.SetupFrame();
    f.frame.PlotPoint(1, 1, 10, -50, {});
    f.frame.PlotPoint(1, 2, 20.5, -50, {});
    f.frame.PlotPoint(1, 3, 30, 1000, {});
    EXPECT_EQ(f.canvas.calls()[0], (CanvasCall{"moveTo", {90, 564}, {}}));
    EXPECT_EQ(f.canvas.calls()[1], (CanvasCall{"lineTo", {90, 564, 100, 614}, {}}));
    EXPECT_EQ(f.canvas.calls()[2], (CanvasCall{"lineTo", {100, 614, 110, -436}, {}}));
    f.canvas.clear();
    f.frame.PlotPoint(1, 1, 0, 5000, {});
    EXPECT_EQ(f.canvas.calls()[0], (CanvasCall{"moveTo", {80, 204}, {}}));
}

TEST(PlotFrame, SticksGoUpOrDownAndCarryTheirLabel) {
    Fixture f;
    f.frame.SetupFrame();
    f.frame.PlotPoint(2, 1, 100, 50, " Ar I");
    f.frame.PlotPoint(2, 2, 200, -40, {});
    f.frame.PlotPoint(3, 3, 1, 1, "x");
    const auto& c = f.canvas.calls();
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[1], (CanvasCall{"lineTo", {180, 564, 180, 514}, {}}));
    EXPECT_EQ(c[2], (CanvasCall{"textOut", {180, 514}, " Ar I"}));
    EXPECT_EQ(c[4], (CanvasCall{"lineTo", {280, 564, 280, 604}, {}}));
}

TEST(PlotFrame, StyleCanLabelOnlySticksWhoseTopPasses) {
    Fixture f;
    f.frame.style.labelsBelowRow = 500;
    f.frame.SetupFrame();
    f.frame.PlotPoint(2, 1, 100, 50, "low");   // top at row 514
    f.frame.PlotPoint(2, 2, 200, 64, "at");    // top at row 500
    f.frame.PlotPoint(2, 3, 300, 300, "high"); // top at row 264
    EXPECT_EQ(textsOf(f.texts()), QStringList{"low"});
    EXPECT_EQ(f.canvas.callsOf("lineTo").size(), 3u); // every stick is drawn
}

TEST(PlotFrame, StyleSkippingOutsidePointsLeavesThePenWhereItWas) {
    Fixture f;
    f.frame.style.skipOutsideX = true;
    f.frame.style.clampFirstPoint = false;
    f.frame.SetupFrame();
    f.frame.PlotPoint(1, 1, -5, 0, {});
    f.frame.PlotPoint(1, 1, 0, 500, {});
    f.frame.PlotPoint(1, 2, 851, 10, {});
    f.frame.PlotPoint(1, 3, 850, -20, {});
    const auto& c = f.canvas.calls();
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0], (CanvasCall{"moveTo", {80, 64}, {}}));
    EXPECT_EQ(c[1], (CanvasCall{"lineTo", {80, 64, 930, 584}, {}}));
}

TEST(PlotFrame, HugeOffsetsAreKeptDrawable) {
    Fixture f;
    f.frame.SetupFrame();
    f.frame.PlotPoint(2, 1, 1e15, -1e15, {});
    const auto& last = f.canvas.calls().back();
    EXPECT_EQ(last.args[2], 80 + (1 << 30));
    EXPECT_THROW(f.frame.PlotPoint(2, 1, std::nan(""), 0, {}), std::exception);
}

TEST(PlotFrame, IsMadeWithTheSourceOfItsLabels) {
    Fixture f;
    EXPECT_THROW(PlotFrame(f.form, nullptr), std::invalid_argument);
}
