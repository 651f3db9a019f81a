// Making and freeing the twelve windows of the program.
#include "Windows.h"

#include "Corre.h"
#include "andor/AndorLee.h"
#include "andor/Cut.h"
#include "andor/ImagenAndor.h"
#include "eva/EvaOp.h"
#include "eva/RazonLineas.h"
#include "lines/Lineas.h"
#include "platform/Guard.h"
#include "plot/ZoomEdt.h"
#include "reference/Convo.h"
#include "reference/NistConvierte.h"
#include "reference/Picos.h"
#include "store/Archivos.h"

#include <functional>
#include <memory>
#include <vector>

namespace {

struct Owned {
    std::unique_ptr<QWidget> window;
    std::function<void()> clearGlobal;
};
std::vector<Owned> windows;

template <typename T> void make(T*& global) {
    auto window = std::make_unique<T>();
    global = window.get();
    windows.push_back({std::move(window), [&global] { global = nullptr; }});
}

} // namespace

void createWindows() {
    if (!windows.empty())
        return;
    make(Ppl);
    make(Lee);
    make(Andor);
    make(Nist);
    make(Conv);
    make(BuscaPicos);
    make(Linea);
    make(AndorImagen);
    make(CortaDivide);
    make(EvaOpera);
    make(Razon);
    make(Zoom);
}

void destroyWindows() {
    // No handler may run on a window once the first one goes: focus moves as windows close.
    for (const Owned& owned : windows)
        platform::detachExitHandlers(owned.window.get());
    while (!windows.empty()) {
        windows.back().clearGlobal();
        windows.pop_back();
    }
}
