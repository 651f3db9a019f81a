// TZoom, the window for the zoom dialog of the line view.
#include "ZoomEdt.h"

TZoom* Zoom = nullptr;

TZoom::TZoom() : Form(QStringLiteral("Zoom"), QStringLiteral("Zoom"), 209, 337) {
    setPlacement(platform::Placement::Default);
}
