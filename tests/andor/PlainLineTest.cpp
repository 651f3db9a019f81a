// The plain-number check of a camera image's lines against a token-by-token statement of the
// same rule, on random lines long enough to cross several 16-byte steps.
#include "andor/PlainLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

bool plainToken(std::string_view t) {
    if (t.size() > andor::plainTokenLength)
        return false;
    if (t.front() == '+' || t.front() == '-')
        t.remove_prefix(1);
    std::size_t dot = t.find('.');
    std::size_t count = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i == dot)
            continue;
        if (t[i] < '0' || t[i] > '9')
            return false;
        ++count;
    }
    return count > 0;
}

bool reference(const std::string& line, std::size_t count) {
    std::size_t found = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        std::size_t end = line.find_first_of(" \t", i);
        if (end == std::string::npos)
            end = line.size();
        if (!plainToken(std::string_view(line).substr(i, end - i)))
            return false;
        ++found;
        i = end;
    }
    return found == count;
}

TEST(PlainLine, AgreesWithTheRuleTokenByToken) {
    std::mt19937 random(7);
    // Mostly digits and separators, as in a camera image, with the other characters rare.
    const std::string common = "0123456789012345678901234567890123456789\t\t\t     ";
    const std::string rare = ".+-e.";
    int plain = 0;
    for (int n = 0; n < 200000; ++n) {
        std::string line;
        auto length = std::uniform_int_distribution<int>(0, 70)(random);
        for (int i = 0; i < length; ++i) {
            bool odd = std::uniform_int_distribution<int>(0, 40)(random) == 0;
            const std::string& from = odd ? rare : common;
            line += from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
        }
        std::size_t count = reference(line, 0) ? 0 : 1;
        // Count the tokens so that most lines are tried with their own count.
        for (std::size_t c = 0; c < 20 && !reference(line, count); ++c)
            count = c;
        bool expected = reference(line, count);
        plain += expected ? 1 : 0;
        ASSERT_EQ(andor::isPlainLine(line, count), expected) << '"' << line << "\" " << count;
        ASSERT_EQ(andor::isPlainLine(line, count + 1), reference(line, count + 1)) << line;
    }
    EXPECT_GT(plain, 20000); // the accepting side is tried too
}

TEST(PlainLine, FindsTheStartOfEachNumber) {
    std::mt19937 random(3);
    for (int n = 0; n < 2000; ++n) {
        std::string line;
        std::vector<std::size_t> starts;
        auto numbers = std::uniform_int_distribution<int>(1, 30)(random);
        for (int i = 0; i < numbers; ++i) {
            line.append(std::uniform_int_distribution<std::size_t>(i == 0 ? 0 : 1, 4)(random),
                        n % 2 == 0 ? '\t' : ' ');
            starts.push_back(line.size());
            line.append(std::to_string(random() % 100000));
        }
        line += "\r\n";
        const char* end = line.data() + line.size();
        for (std::size_t k = 1; k <= starts.size(); ++k)
            ASSERT_EQ(andor::startOfNumber(line.data(), end, k) - line.data(),
                      static_cast<std::ptrdiff_t>(starts[k - 1]))
                << line << k;
        EXPECT_EQ(andor::startOfNumber(line.data(), end, starts.size() + 1), end);
        // From the end of the first number, the next one is the first.
        const char* afterFirst = line.data() + line.find_first_of(" \t", starts[0]);
        if (starts.size() > 1) {
            EXPECT_EQ(andor::startOfNumber(afterFirst, end, 1) - line.data(),
                      static_cast<std::ptrdiff_t>(starts[1]));
        }
    }
}

TEST(PlainLine, LongNumbersAcrossSteps) {
    std::string sixteen(16, '7');
    EXPECT_TRUE(andor::isPlainLine(sixteen, 1));
    EXPECT_FALSE(andor::isPlainLine(sixteen + "7", 1));
    EXPECT_FALSE(andor::isPlainLine("  " + sixteen + "7 1", 2));
    EXPECT_TRUE(andor::isPlainLine("1234567890123 -12345.678901234 +.5", 3));
    EXPECT_FALSE(andor::isPlainLine("1234567890123 -12345.678901234 +.", 3));
}

} // namespace
