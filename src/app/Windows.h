// Making and freeing the twelve windows of the program, in their fixed order.
#pragma once

// Creates the twelve windows, main window first; a QApplication must exist. All but the main
// window stay hidden.
void createWindows();
// Frees the windows in the reverse order and clears their global instances.
void destroyWindows();
