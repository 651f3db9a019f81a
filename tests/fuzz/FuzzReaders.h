// Runs one input through a reader the way the windows do, with the checks every reader must
// pass whatever the input: no crash, no write past a capacity, failures only as AppError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fuzzing {

void experimental(std::string_view bytes);
void reference(std::string_view bytes);
// The first bytes choose the trace settings; the rest is the image text. The trace cut while
// streaming must equal the trace cut from the frame read whole.
void cameraTrace(std::string_view bytes);
void sequence(std::string_view bytes);
void fileList(std::string_view bytes);
void lineList(std::string_view bytes);
void evaExport(std::string_view bytes);
// The first bytes choose the frame size and number; the frame read is painted too.
void imageFrame(std::string_view bytes);
// The first bytes choose the frame length, the band of lines kept and the frame cropped.
void splitAndCrop(std::string_view bytes);

} // namespace fuzzing
