// Start-up: create the windows, show the main window, run until it is closed.
#include "Corre.h"
#include "Windows.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers in files and controls always use ".", whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    createWindows();
    Ppl->showWindow();
    int result = QApplication::exec();
    destroyWindows();
    return result;
}
