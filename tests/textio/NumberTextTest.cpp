// Number texts: general format, fixed fields and printf-style patterns.
#include "textio/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace textio;

TEST(GeneralFormat, ShortestFormWithFifteenDigits) {
    EXPECT_EQ(generalFormat(0.1), "0.1");
    EXPECT_EQ(generalFormat(300.5), "300.5");
    EXPECT_EQ(generalFormat(899.25), "899.25");
    EXPECT_EQ(generalFormat(-0.1947085), "-0.1947085");
    EXPECT_EQ(generalFormat(97.35425), "97.35425");
    EXPECT_EQ(generalFormat(0.1 + 0.2), "0.3");
    EXPECT_EQ(generalFormat(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(generalFormat(0), "0");
    EXPECT_EQ(generalFormat(-0.0), "0");
    EXPECT_EQ(generalFormat(1000000000), "1000000000");
    EXPECT_EQ(generalFormat(50), "50");
    EXPECT_EQ(generalFormat(-12.5), "-12.5");
}

TEST(GeneralFormat, ScientificOutsideThePlainRange) {
    EXPECT_EQ(generalFormat(1e20), "1E20");
    EXPECT_EQ(generalFormat(1.5e-7), "1.5E-7");
    EXPECT_EQ(generalFormat(-2.5e300), "-2.5E300");
    EXPECT_EQ(generalFormat(1e15), "1E15");
    EXPECT_EQ(generalFormat(999999999999999.0), "999999999999999");
    EXPECT_EQ(generalFormat(1e-5), "0.00001");
    EXPECT_EQ(generalFormat(1.2345e-6), "1.2345E-6");
    EXPECT_EQ(generalFormat(123456789012345678.0), "1.23456789012346E17");
}

TEST(GeneralFormat, NonFiniteValues) {
    EXPECT_EQ(generalFormat(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(generalFormat(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(generalFormat(std::nan("")), "NAN");
}

TEST(FixedField, RightAlignedWithBlanksAndWiderValuesInFull) {
    EXPECT_EQ(fixedField(396.15, 10, 2), "    396.15");
    EXPECT_EQ(fixedField(1234.6, 10, 0), "      1235");
    EXPECT_EQ(fixedField(-3.14159, 10, 3), "    -3.142");
    EXPECT_EQ(fixedField(123456789.5, 6, 1), "123456789.5");
    EXPECT_EQ(fixedField(-0.0, 6, 2), "  0.00");
    EXPECT_EQ(fixedField(2.5, 0, 0), "2");
    EXPECT_EQ(fixedField(1e300, 5, 0).size(), 301u);
}

TEST(IntegerField, MinimumDigitsSignAndWidth) {
    EXPECT_EQ(integerField(5, 10, 2), "        05");
    EXPECT_EQ(integerField(-5, 10, 2), "       -05");
    EXPECT_EQ(integerField(1234, 10, 2), "      1234");
    EXPECT_EQ(fixedField(1234.6, 8, 0), "    1235");
}

TEST(IntegerText, DecimalWithSign) {
    EXPECT_EQ(integerText(-12), "-12");
    EXPECT_EQ(integerText(0), "0");
    EXPECT_EQ(integerField(7, 4, 3), " 007");
}
