// TBuscaPicos, the window for the peak search on the experimental spectrum.
#include "Picos.h"

TBuscaPicos* BuscaPicos = nullptr;

TBuscaPicos::TBuscaPicos()
    : Form(QStringLiteral("BuscaPicos"), QStringLiteral("BuscaPicos"), 503, 375) {
    setPlacement(platform::Placement::Default);
}
