// TEvaOpera, the window for operations on EVA spectrometer exports.
#pragma once

#include "platform/Form.h"

class TEvaOpera : public platform::Form {
    Q_OBJECT
public:
    TEvaOpera();
};

extern TEvaOpera* EvaOpera;
