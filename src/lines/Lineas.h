// TLinea, the window for the line identification view.
#pragma once

#include "platform/Form.h"

class TLinea : public platform::Form {
    Q_OBJECT
public:
    TLinea();
};

extern TLinea* Linea;
