// TAndor, the window for trace extraction from camera images.
#include "AndorLee.h"

TAndor* Andor = nullptr;

TAndor::TAndor()
    : Form(QStringLiteral("Andor"), QStringLiteral("Andor, captura traza de imagen "), 894, 668) {
    setPlacement(platform::Placement::Centred);
}
