// TAndor, the window for trace extraction from camera images.
#pragma once

#include "platform/Form.h"

class TAndor : public platform::Form {
    Q_OBJECT
public:
    TAndor();
};

extern TAndor* Andor;
