// TNist, the window for conversion of atomic line lists.
#include "NistConvierte.h"

TNist* Nist = nullptr;

TNist::TNist() : Form(QStringLiteral("Nist"), QStringLiteral("Nist"), 230, 480) {
    setPlacement(platform::Placement::Default);
}
