// libFuzzer entry for the EVA export converter.
#include "FuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::evaExport({reinterpret_cast<const char*>(data), size});
    return 0;
}
