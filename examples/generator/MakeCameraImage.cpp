// Writes a synthetic camera image: make-camera-image OUTPUT [FRAMES]
#include "SyntheticImage.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT [FRAMES]\n", argv[0]);
        return 2;
    }
    synthetic::ImageShape shape;
    if (argc == 3)
        shape.frames = std::max(1, std::atoi(argv[2]));
    std::ofstream out(argv[1], std::ios::binary);
    out << synthetic::makeImage(shape);
    return out.good() ? 0 : 1;
}
