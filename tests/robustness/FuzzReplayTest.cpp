// Replays every input the fuzzers ever found failing, and the bad-input corpus, through the
// fuzz checks of every reader.
#include "fuzz/FuzzReaders.h"
#include "support/BadInputs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

void everyReader(const std::string& bytes) {
    fuzzing::experimental(bytes);
    fuzzing::reference(bytes);
    fuzzing::cameraTrace(bytes);
    fuzzing::sequence(bytes);
    fuzzing::fileList(bytes);
    fuzzing::lineList(bytes);
    fuzzing::evaExport(bytes);
    fuzzing::imageFrame(bytes);
    fuzzing::splitAndCrop(bytes);
}

} // namespace

TEST(FuzzReplay, RegressionInputs) {
    std::filesystem::path folder = LINEID_FUZZ_REGRESSIONS;
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename() == ".keep")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        everyReader(bytes.str());
        ++replayed;
    }
    EXPECT_GE(replayed, 1) << "no regression inputs in " << folder;
}

TEST(FuzzReplay, BadInputCorpus) {
    for (const auto& c : badinputs::cases())
        everyReader(c.bytes);
}
