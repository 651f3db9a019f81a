// libFuzzer entry for the reference reader.
#include "FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::reference({reinterpret_cast<const char*>(data), size});
    return 0;
}
