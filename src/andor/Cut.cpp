// TCortaDivide, the window for splitting and cropping of camera image files.
#include "Cut.h"

TCortaDivide* CortaDivide = nullptr;

TCortaDivide::TCortaDivide()
    : Form(QStringLiteral("CortaDivide"),
           QStringLiteral("Corta archivo Andor en subimagenes y las recorta al gusto"), 696, 480) {
    setPlacement(platform::Placement::Design, QPoint(216, 223));
}
