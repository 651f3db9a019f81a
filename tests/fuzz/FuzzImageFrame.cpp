// libFuzzer entry for the image window's frame reader and painting.
#include "FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::imageFrame({reinterpret_cast<const char*>(data), size});
    return 0;
}
