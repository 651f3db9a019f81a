// TAndorImagen, the window for painting of one camera frame.
#include "ImagenAndor.h"

TAndorImagen* AndorImagen = nullptr;

TAndorImagen::TAndorImagen()
    : Form(QStringLiteral("AndorImagen"), QStringLiteral("AndorImagen"), 894, 518) {
    setPlacement(platform::Placement::Centred);
}
