// The drawing the graph windows share: the spectrum polyline, the stick scale, the read-out text.
#include "plot/SpectrumPlot.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using platform::CanvasCall;
using plot::FlatSet;
using plot::SeriesView;

namespace {

plot::PlotLimits noLabels() {
    return {};
}

SeriesView view(const std::vector<double>& x, const std::vector<double>& y) {
    return {x, y};
}

} // namespace

TEST(SpectrumPlot, PolylineInBlueSpreadOverTheFrameByTheLimits) {
    platform::RecordingCanvas canvas;
    platform::Form form(QStringLiteral("SpectrumPlotTest"), QStringLiteral("t"), 1000, 600);
    form.setCanvas(&canvas);
    plot::PlotFrame frame(form, noLabels);
    frame.SetupFrame(); // 850 x 360 from (80, 564)
    std::vector<double> x{300, 600, 900}, y{0, 50, 100};
    plot::PlotLimits limits{900, 300, 100, 0};

    plot::Scales scales = plot::drawSpectrum(frame, view(x, y), limits);
    EXPECT_DOUBLE_EQ(scales.x, 850.0 / 600);
    EXPECT_DOUBLE_EQ(scales.y, 3.6);
    EXPECT_EQ(canvas.penColor(), 0x0000FFu);
    const auto& c = canvas.calls();
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].op, "setPenColor");
    EXPECT_EQ(c[1], (CanvasCall{"moveTo", {80, 564}, {}}));
    EXPECT_EQ(c[2], (CanvasCall{"lineTo", {80, 564, 505, 384}, {}}));
    EXPECT_EQ(c[3], (CanvasCall{"lineTo", {505, 384, 930, 204}, {}}));

    canvas.clear();
    plot::plotSpectrumPoint(frame, view(x, y), limits, scales, 2);
    EXPECT_EQ(canvas.calls().back().args, (std::vector<int>{930, 204, 505, 384}));
    form.setCanvas(nullptr);
}

TEST(SpectrumPlot, ExperimentalSpectrumHoldsTheStoredPoints) {
    auto s = std::make_unique<store::SpectrumStore>();
    s->nExp = 2;
    s->xExp[2] = 401;
    s->yExp[2] = 7;
    SeriesView v = plot::experimentalSpectrum(*s);
    EXPECT_EQ(v.count(), 2);
    EXPECT_EQ(v.x[1], 401);
    EXPECT_EQ(v.y[1], 7);
}

TEST(StickScale, HeightOverTheSpreadOfTheVisibleLinesBothEndsIncluded) {
    std::vector<double> x{399, 400, 410, 420, 421}, y{1000, 10, 50, 30, -1000};
    EXPECT_DOUBLE_EQ(plot::stickScale(360, view(x, y), 400, 420, FlatSet::OverIntensity), 9.0);
    EXPECT_DOUBLE_EQ(plot::stickScale(360, view(x, y), 400, 420, FlatSet::DivideBySpread), 9.0);
    // No visible line: the spread of the starting values.
    EXPECT_DOUBLE_EQ(plot::stickScale(360, view(x, y), 500, 600, FlatSet::FrameHeight),
                     360 / -1.8e11);
}

TEST(StickScale, OneIntensityFollowsTheRuleAsked) {
    std::vector<double> x{400, 410}, y{20, 20};
    EXPECT_DOUBLE_EQ(plot::stickScale(360, view(x, y), 400, 420, FlatSet::OverIntensity), 18.0);
    EXPECT_DOUBLE_EQ(plot::stickScale(360, view(x, y), 400, 420, FlatSet::FrameHeight), 360.0);
    try {
        plot::stickScale(360, view(x, y), 400, 420, FlatSet::DivideBySpread);
        FAIL() << "no failure";
    } catch (const textio::AppError& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
}

TEST(CursorText, ValuesAndReadOut) {
    EXPECT_EQ(plot::cursorText(396.15, 1234.6), "(  396.15,     1235)");
    EXPECT_EQ(plot::cursorValues(396.15, 1234.6), "  396.15,     1235");
}
