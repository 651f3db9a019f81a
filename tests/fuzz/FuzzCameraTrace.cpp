// libFuzzer entry for the cameraTrace reader.
#include "FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::cameraTrace({reinterpret_cast<const char*>(data), size});
    return 0;
}
