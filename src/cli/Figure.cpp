// A figure of a spectrum and its line sets, drawn for print.
#include "Figure.h"
