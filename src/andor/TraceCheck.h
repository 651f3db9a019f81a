// The check of trace settings made before anything is written, shared by the trace window and the
// command line.
#pragma once

#include "andor/AndorImage.h"
#include "textio/AppError.h"

namespace andor {

// A column trace averages over a summing half-width of 1 or more; a smaller one is refused with
// the operator's text. Line mode does not use the half-width.
inline void checkHalfWidth(const TraceSettings& settings) {
    if (settings.mode == TraceMode::Column && settings.halfWidth <= 0)
        throw textio::AppError("La suma de pixeles vertical debe ser 1 o mayor.");
}

} // namespace andor
