// TCortaDivide, the window for splitting and cropping of camera image files.
#pragma once

#include "platform/Form.h"

class TCortaDivide : public platform::Form {
    Q_OBJECT
public:
    TCortaDivide();
};

extern TCortaDivide* CortaDivide;
