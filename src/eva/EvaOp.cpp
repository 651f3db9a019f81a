// TEvaOpera, the window for operations on EVA spectrometer exports.
#include "EvaOp.h"

TEvaOpera* EvaOpera = nullptr;

TEvaOpera::TEvaOpera()
    : Form(QStringLiteral("EvaOpera"), QStringLiteral("EVA Operaciones con archivos"), 966, 601) {
    setPlacement(platform::Placement::Centred);
}
