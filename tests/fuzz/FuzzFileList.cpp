// libFuzzer entry for the fileList reader.
#include "FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::fileList({reinterpret_cast<const char*>(data), size});
    return 0;
}
