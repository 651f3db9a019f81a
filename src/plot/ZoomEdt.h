// TZoom, the window for the zoom dialog of the line view.
#pragma once

#include "platform/Form.h"

class TZoom : public platform::Form {
    Q_OBJECT
public:
    TZoom();
};

extern TZoom* Zoom;
