// Edit-box conversions, nearest-even rounding and checked arithmetic.
#include "textio/Convert.h"
#include "textio/AppError.h"

#include <gtest/gtest.h>

#include <limits>

using namespace textio;

namespace {
std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const AppError& e) {
        return e.what();
    }
    return "no error";
}
} // namespace

TEST(StrToFloat, AcceptsRealsWithBlanksAround) {
    EXPECT_EQ(strToFloat("300"), 300.0);
    EXPECT_EQ(strToFloat("  -0.5 "), -0.5);
    EXPECT_EQ(strToFloat("1e3"), 1000.0);
    EXPECT_EQ(strToFloat("+.25"), 0.25);
}

TEST(StrToFloat, RejectsWithTheOffendingText) {
    EXPECT_EQ(errorOf([] { strToFloat("abc"); }), "'abc' is not a valid floating point value");
    EXPECT_EQ(errorOf([] { strToFloat(""); }), "'' is not a valid floating point value");
    EXPECT_EQ(errorOf([] { strToFloat("1,5"); }), "'1,5' is not a valid floating point value");
    EXPECT_EQ(errorOf([] { strToFloat(" 1 2 "); }), "' 1 2 ' is not a valid floating point value");
    EXPECT_EQ(errorOf([] { strToFloat("1e999"); }), "'1e999' is not a valid floating point value");
}

TEST(StrToInt, WholeNumbersOnly) {
    EXPECT_EQ(strToInt("42"), 42);
    EXPECT_EQ(strToInt(" -7 "), -7);
    EXPECT_EQ(strToInt("+3"), 3);
    for (const char* bad : {"4.5", "", "x", "+-2", "99999999999", "1e3", "- 1"})
        EXPECT_EQ(errorOf([bad] { strToInt(bad); }),
                  std::string("'").append(bad).append("' is not a valid integer value"));
}

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(nearest(12.5), 12);
    EXPECT_EQ(nearest(13.5), 14);
    EXPECT_EQ(nearest(-2.5), -2);
    EXPECT_EQ(nearest(0.49999999999999994), 0);
    EXPECT_EQ(nearest(221.66666), 222);
    EXPECT_EQ(errorOf([] { nearest(std::numeric_limits<double>::quiet_NaN()); }),
              "Invalid floating point operation");
    EXPECT_EQ(errorOf([] { nearest(1e19); }), "Invalid floating point operation");
}

TEST(Divide, DegenerateCasesRaiseTheRuntimeTexts) {
    EXPECT_EQ(divide(1, 4), 0.25);
    EXPECT_EQ(errorOf([] { divide(1, 0); }), "Floating point division by zero");
    EXPECT_EQ(errorOf([] { divide(0, 0); }), "Invalid floating point operation");
    EXPECT_EQ(errorOf([] { divide(1e308, 1e-308); }), "Floating point overflow");
    EXPECT_EQ(errorOf([] { checked(std::numeric_limits<double>::infinity()); }),
              "Floating point overflow");
}
