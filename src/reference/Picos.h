// TBuscaPicos, the window for the peak search on the experimental spectrum.
#pragma once

#include "platform/Form.h"

class TBuscaPicos : public platform::Form {
    Q_OBJECT
public:
    TBuscaPicos();
};

extern TBuscaPicos* BuscaPicos;
