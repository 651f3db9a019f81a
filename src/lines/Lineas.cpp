// TLinea, the window for the line identification view.
#include "Lineas.h"

TLinea* Linea = nullptr;

TLinea::TLinea() : Form(QStringLiteral("Linea"), QStringLiteral("Grafica Lineas experimentales y del Nist"), 1022, 693) {
    setPlacement(platform::Placement::Centred);
}
