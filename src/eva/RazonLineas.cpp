// TRazon, the window for line-intensity ratios over a sequence of spectra.
#include "RazonLineas.h"

TRazon* Razon = nullptr;

TRazon::TRazon()
    : Form(QStringLiteral("Razon"), QStringLiteral("Razon de intensidad de lineas"), 481, 419) {
    setPlacement(platform::Placement::Default);
}
