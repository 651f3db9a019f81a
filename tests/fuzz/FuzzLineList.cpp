// libFuzzer entry for the atomic line-list converter.
#include "FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::lineList({reinterpret_cast<const char*>(data), size});
    return 0;
}
