// The main window: captions, menu entries and the windows they show.
#include "WindowTestSupport.h"
#include "andor/AndorLee.h"
#include "andor/Cut.h"
#include "andor/ImagenAndor.h"
#include "app/Corre.h"
#include "eva/EvaOp.h"
#include "eva/RazonLineas.h"
#include "lines/Lineas.h"
#include "plot/ZoomEdt.h"
#include "reference/Convo.h"
#include "reference/NistConvierte.h"
#include "reference/Picos.h"
#include "store/Archivos.h"

#include <QApplication>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

std::vector<QWidget*> toolWindows() {
    return {Lee,         Andor,       Nist,     Conv,  BuscaPicos, Linea,
            AndorImagen, CortaDivide, EvaOpera, Razon, Zoom};
}

void hideAll() {
    for (QWidget* w : toolWindows())
        w->hide();
}

std::vector<QWidget*> visibleTools() {
    std::vector<QWidget*> out;
    for (QWidget* w : toolWindows())
        if (w->isVisible())
            out.push_back(w);
    return out;
}

} // namespace

TEST(MainWindow, CaptionControlsAndMenu) {
    EXPECT_EQ(Ppl->windowTitle(), "Identifica Lineas espectrales   6 mayo 2009");
    EXPECT_EQ(Ppl->size(), QSize(405, 265));
    EXPECT_EQ(Ppl->Button1->text(), "&Grafica y Compara");
    EXPECT_EQ(Ppl->Button2->text(), "&Agrupa Picos");
    EXPECT_EQ(Ppl->btRazon->text(), "&Razon de lineas");
    EXPECT_EQ(Ppl->btFin->text(), "&Fin");
    EXPECT_EQ(Ppl->Label9->text(),
              "Por ahora mezcla todos los iones, despues se hara una seleccion");
    QStringList menus;
    for (QAction* a : Ppl->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&Archivos", "EVA", "&Andor", "&Ejecuta", "&Nist", "&Help"}));
    QStringList items;
    for (QAction* a : Ppl->Calcula1->actions())
        items << a->text();
    EXPECT_EQ(items, (QStringList{"&Agrupa picos", "&Convolucion", "ComparaGaussianEspectro",
                                  "Grafica Exp+Lineas Nist"}));
}

TEST(MainWindow, WindowsExistInCreationOrderWithTheirNames) {
    const QStringList names{"Ppl",         "Lee",        "Andor", "Nist",
                            "Conv",        "BuscaPicos", "Linea", "AndorImagen",
                            "CortaDivide", "EvaOpera",   "Razon", "Zoom"};
    std::vector<QWidget*> all{Ppl};
    for (QWidget* w : toolWindows())
        all.push_back(w);
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i]->objectName(), names[static_cast<int>(i)]);
    EXPECT_EQ(Linea->windowTitle(), "Grafica Lineas experimentales y del Nist");
    EXPECT_EQ(Andor->windowTitle(), "Andor, captura traza de imagen ");
}

TEST(MainWindow, EachCommandShowsItsWindow) {
    struct Case {
        std::function<void()> act;
        QWidget* shown;
    };
    const std::vector<Case> cases{
        {[] { Ppl->Button1->click(); }, Linea},
        {[] { Ppl->ExpyNist->trigger(); }, Linea},
        {[] { Ppl->Button2->click(); }, BuscaPicos},
        {[] { Ppl->Agrupapicos1->trigger(); }, BuscaPicos},
        {[] { Ppl->btRazon->click(); }, Razon},
        {[] { Ppl->EVA1->trigger(); }, EvaOpera},
        {[] { Ppl->Andoraxy1->trigger(); }, Andor},
        {[] { Ppl->Nistaxy1->trigger(); }, AndorImagen},
        {[] { Ppl->DividearchivoconNimagenes1->trigger(); }, CortaDivide},
        {[] { Ppl->Convolucion1->trigger(); }, Conv},
        {[] { Ppl->AcercadelPrograma1->trigger(); }, Nist},
    };
    for (const auto& c : cases) {
        hideAll();
        c.act();
        EXPECT_EQ(visibleTools(), std::vector<QWidget*>{c.shown})
            << c.shown->objectName().toStdString();
        c.act(); // a second time: the same single instance
        EXPECT_EQ(visibleTools(), std::vector<QWidget*>{c.shown});
    }
    hideAll();
}

TEST(MainWindow, EntriesWithoutActionChangeNothing) {
    hideAll();
    testsupport::MessageCapture capture;
    for (QAction* a : {Ppl->Abrir1, Ppl->Terminar1, Ppl->ComparaGaussianEspectro1,
                       Ppl->Coloresdegraficas1, Ppl->Acercade1})
        a->trigger();
    EXPECT_TRUE(visibleTools().empty());
    EXPECT_TRUE(capture.messages.empty());
}

TEST(MainWindow, ClosingAToolWindowOnlyHidesIt) {
    Ppl->AcercadelPrograma1->trigger();
    ASSERT_TRUE(Nist->isVisible());
    Nist->close();
    EXPECT_FALSE(Nist->isVisible());
    EXPECT_NE(Nist, nullptr);
}
