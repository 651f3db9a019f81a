// TConv, the window for Gaussian line profiles of the reference lines.
#include "Convo.h"

TConv* Conv = nullptr;

TConv::TConv()
    : Form(QStringLiteral("Conv"),
           QStringLiteral("Convolucion entre espectro experimental y del Nist"), 696, 480) {
    setPlacement(platform::Placement::Default);
}
