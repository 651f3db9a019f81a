// libFuzzer entry for the experimental reader.
#include "FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::experimental({reinterpret_cast<const char*>(data), size});
    return 0;
}
