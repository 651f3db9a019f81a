// libFuzzer entry for the split and crop of image files.
#include "FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::splitAndCrop({reinterpret_cast<const char*>(data), size});
    return 0;
}
