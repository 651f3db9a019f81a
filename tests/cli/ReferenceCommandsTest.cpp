// The ReferenceCommands of lineid-cli against the windows' own output.
#include "CliRun.h"

#include <gtest/gtest.h>
