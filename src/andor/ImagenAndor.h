// TAndorImagen, the window for painting of one camera frame.
#pragma once

#include "platform/Form.h"

class TAndorImagen : public platform::Form {
    Q_OBJECT
public:
    TAndorImagen();
};

extern TAndorImagen* AndorImagen;
