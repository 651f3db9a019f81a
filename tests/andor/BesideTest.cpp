// Work beside the caller: both parts run, failures come back, and callers at once all get done.
#include "andor/Beside.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

TEST(Beside, RunsBothPartsAndRaisesTheirFailures) {
    int theirs = 0;
    int mine = 0;
    andor::runBeside([&] { theirs = 1; }, [&] { mine = 2; });
    EXPECT_EQ(theirs + mine, 3);
    EXPECT_THROW(andor::runBeside([] { throw std::runtime_error("theirs"); }, [] {}),
                 std::runtime_error);
    try {
        andor::runBeside([] { throw std::logic_error("theirs"); },
                         [] { throw std::runtime_error("mine"); });
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "mine");
    }
    andor::runBeside([&] { theirs = 4; }, [] {}); // the kept thread serves again after failures
    EXPECT_EQ(theirs, 4);
}

TEST(Beside, CallersAtOnceAllGetTheirWorkDone) {
    std::atomic<int> done{0};
    std::vector<std::thread> callers;
    for (int c = 0; c < 4; ++c)
        callers.emplace_back([&] {
            for (int i = 0; i < 200; ++i)
                andor::runBeside([&] { ++done; }, [&] { ++done; });
        });
    for (std::thread& caller : callers)
        caller.join();
    EXPECT_EQ(done, 4 * 200 * 2);
}

} // namespace
