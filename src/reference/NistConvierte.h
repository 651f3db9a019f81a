// TNist, the window for conversion of atomic line lists.
#pragma once

#include "platform/Form.h"

class TNist : public platform::Form {
    Q_OBJECT
public:
    TNist();
};

extern TNist* Nist;
