// Writes the bad-input corpus as files: lineid_make_bad_corpus FOLDER
#include "support/BadInputs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const auto& c : badinputs::cases())
        std::ofstream(folder / (c.name + ".txt"), std::ios::binary) << c.bytes;
    return 0;
}
