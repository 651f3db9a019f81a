// TRazon, the window for line-intensity ratios over a sequence of spectra.
#pragma once

#include "platform/Form.h"

class TRazon : public platform::Form {
    Q_OBJECT
public:
    TRazon();
};

extern TRazon* Razon;
