// TConv, the window for Gaussian line profiles of the reference lines.
#pragma once

#include "platform/Form.h"

class TConv : public platform::Form {
    Q_OBJECT
public:
    TConv();
};

extern TConv* Conv;
