// The plot command: round ticks, labels kept apart, each format written, bad input refused.
#include "CliRun.h"
#include "cli/Figure.h"

#include <QImage>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <fstream>

using testsupport::runCli;

using testsupport::CliFolder;

namespace {

std::string example(const char* name) {
    return std::string(LINEID_EXAMPLES) + "/" + name;
}

QStringList texts(const figure::Ticks& t) {
    return QStringList(t.texts.begin(), t.texts.end());
}

std::size_t filesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

} // namespace

TEST(FigureTicks, RoundStepsWithTheDecimalsTheyNeed) {
    EXPECT_EQ(texts(figure::roundTicks(400, 420, 6)),
              QStringList({"400", "405", "410", "415", "420"}));
    // Steps that are not exact in binary still print as written.
    EXPECT_EQ(texts(figure::roundTicks(0.1, 0.5, 4)),
              QStringList({"0.1", "0.2", "0.3", "0.4", "0.5"}));
    EXPECT_EQ(texts(figure::roundTicks(400.43, 401.01, 6)),
              QStringList({"400.5", "400.6", "400.7", "400.8", "400.9", "401.0"}));
    EXPECT_EQ(texts(figure::roundTicks(-5, 5, 4)), QStringList({"−4", "−2", "0", "2", "4"}));
    EXPECT_EQ(texts(figure::roundTicks(117, 12132, 5)),
              QStringList({"2000", "4000", "6000", "8000", "10000", "12000"}));
}

TEST(FigureTicks, LargeValuesShareAPowerOfTenAndEmptyRangesGetNone) {
    figure::Ticks t = figure::roundTicks(0, 250000, 5);
    EXPECT_EQ(texts(t), QStringList({"0.0", "0.5", "1.0", "1.5", "2.0", "2.5"}));
    EXPECT_EQ(t.exponent, 5);
    EXPECT_EQ(figure::exponentText(5), "×10⁵");
    EXPECT_EQ(figure::exponentText(-12), "×10⁻¹²");
    EXPECT_EQ(t.values[1], 50000);
    EXPECT_TRUE(figure::roundTicks(3, 3, 5).values.empty());
    EXPECT_TRUE(figure::roundTicks(-1e308, 1e308, 5).values.empty());
    EXPECT_TRUE(figure::roundTicks(1e20, 1e20 + 1e5, 5).values.empty());
}

TEST(FigureLabels, CollidingLabelsMoveAsideOrAreLeftOut) {
    const QRectF area(0, 0, 100, 100);
    const std::vector<figure::LabelRequest> same(4, {50, 60, 20, 10});
    auto placed = figure::placeLabels(same, area, {}, 2);
    EXPECT_EQ(placed[0]->rect, QRectF(40, 48, 20, 10)); // above the stick
    EXPECT_EQ(placed[1]->rect, QRectF(52, 60, 20, 10)); // right of its top
    EXPECT_EQ(placed[2]->rect, QRectF(28, 60, 20, 10)); // left of its top
    // Upright or higher up, it would cross the first one or its leader would.
    EXPECT_FALSE(placed[3]);

    // A stick reaching the top takes its label beside it; an obstacle is avoided like a label.
    const std::vector<figure::LabelRequest> atTop{{50, 0, 20, 10}};
    EXPECT_EQ(figure::placeLabels(atTop, area, {}, 2)[0]->rect, QRectF(52, 0, 20, 10));
    const std::vector<QRectF> stickOnTheRight{QRectF(60, 0, 1, 100)};
    EXPECT_EQ(figure::placeLabels(atTop, area, stickOnTheRight, 2)[0]->rect, QRectF(28, 0, 20, 10));
}

TEST(FigureLabels, BetweenCloseSticksUprightAndOverThePeakWithALeader) {
    const QRectF area(0, 0, 100, 100);
    const std::vector<figure::LabelRequest> one{{50, 60, 20, 10}};
    const std::vector<QRectF> closeSticks{QRectF(41.5, 0, 1, 100), QRectF(57.5, 0, 1, 100)};
    auto upright = figure::placeLabels(one, area, closeSticks, 2)[0];
    ASSERT_TRUE(upright);
    EXPECT_TRUE(upright->vertical);
    EXPECT_EQ(upright->rect, QRectF(45, 38, 10, 20));
    EXPECT_TRUE(upright->leader.isNull());

    const std::vector<QRectF> peak{QRectF(47, 30, 6, 40)};
    auto raised = figure::placeLabels(one, area, peak, 2)[0];
    ASSERT_TRUE(raised);
    EXPECT_FALSE(raised->vertical);
    EXPECT_EQ(raised->rect, QRectF(40, 18, 20, 10));
    EXPECT_EQ(raised->leader, QLineF(50, 60, 50, 28));
}

TEST(PlotCommand, WritesEachFormatAtTheAskedSize) {
    CliFolder dir;
    const std::vector<std::string> common{"plot",
                                          example("espectro_ar.dat"),
                                          "--lines",
                                          example("lineas_ar.dat"),
                                          example("lineas_fe.dat"),
                                          "--size",
                                          "800x500",
                                          "--dpi",
                                          "300",
                                          "--mult",
                                          "1",
                                          "0.5"};
    for (const char* name : {"f.png", "f.svg", "f.pdf"}) {
        auto args = common;
        args.insert(args.end(), {"-o", name});
        auto r = runCli(args, dir.path());
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
    }
    QImage png(QString::fromStdString((dir.path() / "f.png").string()));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(800, 500));
    EXPECT_EQ(png.dotsPerMeterX(), 11811);
    auto count = [&](QRgb colour) {
        int n = 0;
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x)
                n += (png.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    };
    EXPECT_GT(count(qRgb(0, 0, 255)), 100); // the spectrum
    EXPECT_GT(count(qRgb(255, 0, 0)), 50);  // the first set
    EXPECT_GT(count(qRgb(0, 128, 0)), 50);  // the second set
    QSvgRenderer svg(QString::fromStdString((dir.path() / "f.svg").string()));
    EXPECT_TRUE(svg.isValid());
    EXPECT_EQ(testsupport::fileBytes(dir.path() / "f.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(filesIn(dir.path()), 3u);
}

TEST(PlotCommand, BadInputFailsWithOneLineAndLeavesNoFile) {
    CliFolder dir;
    const auto folder = dir.path();
    std::ofstream(folder / "empty.dat").close();
    std::ofstream(folder / "bad.dat") << "400 1\n401 x\n";
    const std::string spectrum = example("espectro_ar.dat");
    const std::string lines = example("lineas_ar.dat");
    const std::vector<std::pair<int, std::vector<std::string>>> cases{
        {1, {"plot", "missing.dat", "-o", "f.png"}},
        {1, {"plot", "empty.dat", "-o", "f.png"}},
        {1, {"plot", "bad.dat", "-o", "f.png"}},
        {1, {"plot", spectrum, "--lines", "missing.dat", "-o", "f.svg"}},
        {2, {"plot", spectrum, "-o", "f.jpg"}},
        {2,
         {"plot", spectrum, "-o", "f.png", "--lines", lines, lines, lines, lines, lines, lines,
          lines}},
        {2, {"plot", spectrum, "--lines", lines, "--mult", "1", "2", "-o", "f.png"}},
        {2, {"plot", spectrum, "--size", "0x0", "-o", "f.png"}},
        {2, {"plot", spectrum, "--size", "100000x100000", "-o", "f.png"}},
        {2, {"plot", spectrum, "--dpi", "0", "-o", "f.pdf"}},
        {2, {"plot", spectrum, "--xmin", "410", "--xmax", "410", "-o", "f.png"}},
        {2, {"plot", spectrum, "--shift", "nan", "-o", "f.png"}},
    };
    for (const auto& [status, args] : cases) {
        auto r = runCli(args, folder);
        EXPECT_EQ(r.status, status) << args[1] << " " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(filesIn(folder), 2u) << r.err;
    }
    auto bad = runCli({"plot", "bad.dat", "-o", "f.png"}, folder);
    EXPECT_EQ(bad.err, "lineid-cli: bad.dat: línea 2: Invalid numeric input\n");
    // An output that is one of the inputs is refused before anything is written.
    std::ofstream(folder / "s.png") << "400 1\n410 2\n";
    auto r = runCli({"plot", "s.png", "-o", "./s.png"}, folder);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(testsupport::fileBytes(folder / "s.png"), "400 1\n410 2\n");
}
