// Saves pictures of the windows as an operator would see them after a typical session: the
// example spectrum with two line sets in the line view, the data-loading window, a trace cut out
// of a synthetic camera image, that image's first frame painted, the image split into its
// frames, the example atomic line list converted, the Gaussian profiles and the peak search of
// the example data, and the data-loading window with a camera trace's long file name. Every file
// these write (frames, converted list, peak file) lands in the output folder.
// Usage: lineid_screenshot EXAMPLES_FOLDER OUTPUT_FOLDER
#include "andor/AndorLee.h"
#include "andor/Cut.h"
#include "andor/ImagenAndor.h"
#include "app/Windows.h"
#include "lines/Lineas.h"
#include "platform/Messages.h"
#include "platform/OpenDialog.h"
#include "plot/ZoomEdt.h"
#include "reference/Convo.h"
#include "reference/NistConvierte.h"
#include "reference/Picos.h"
#include "store/Archivos.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>

#include "SyntheticImage.h"

#include <clocale>
#include <cstdio>
#include <deque>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s EXAMPLES_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QDir examples(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    QDir output(QDir(QString::fromLocal8Bit(argv[2])).absolutePath());
    createWindows();
    // A message must never wait for an answer here: report it and fail.
    bool failed = false;
    platform::setMessageSink([&failed](const platform::Message& m) {
        std::fprintf(stderr, "%s\n", m.text.toLocal8Bit().constData());
        failed = true;
    });

    std::deque<QString> answers{examples.filePath("espectro_ar.dat"),
                                examples.filePath("lineas_ar.dat"),
                                examples.filePath("lineas_fe.dat")};
    platform::setDialogResponder([&](const platform::OpenDialog&) -> std::optional<QString> {
        if (answers.empty())
            return std::nullopt;
        QString next = answers.front();
        answers.pop_front();
        return next;
    });

    // A long list is laid out in batches, one per pass of the event loop, and shows its lines
    // once the last batch is done.
    auto settle = [] {
        for (int pass = 0; pass < 100; ++pass)
            QApplication::processEvents();
    };

    Linea->showWindow();
    Linea->btLeeExp->click();
    Lee->btLeeExp->click();
    Linea->FormActivate();
    for (int k = 1; k <= 2; ++k) {
        Linea->lbNistClick(k);
        Lee->btLeeRef->click();
        Linea->FormActivate();
        Linea->slotControls(k).draw->click();
    }
    Linea->btGrafNist->click();
    bool ok = Linea->grab().save(output.filePath("linea.png"));
    // Zoomed on the lower half of the intensities with the iron set three times as tall: sticks
    // and labels that climb past the frame must stay beneath the controls.
    Linea->slotControls(2).mult->setText("3");
    Zoom->edXmin->setText("404");
    Zoom->edXmax->setText("412");
    Zoom->edYmin->setText("100");
    Zoom->edYmax->setText("600");
    Zoom->btZoom->click();
    Linea->btGrafNist->click();
    ok = Linea->grab().save(output.filePath("linea_zoom.png")) && ok;
    Zoom->zoomActivo = false;
    Linea->slotControls(2).mult->setText("1");

    QString image = output.filePath("camara.asc");
    std::ofstream(image.toStdString(), std::ios::binary) << synthetic::makeImage({});
    answers.push_back(image);
    Andor->showWindow();
    Andor->btAndor->click();
    Andor->btGraf->click();
    QApplication::processEvents(); // let the lists show their new lines
    ok = Andor->grab().save(output.filePath("andor.png")) && ok;

    answers.push_back(image);
    AndorImagen->showWindow();
    AndorImagen->btAndor->click();
    AndorImagen->btGraf->click();
    AndorImagen->FormMouseDown({Qt::LeftButton, Qt::LeftButton, {}, false, 512, 400});
    AndorImagen->rbOtro->click();
    ok = AndorImagen->grab().save(output.filePath("imagen.png")) && ok;

    answers.push_back(image);
    CortaDivide->showWindow();
    CortaDivide->rbTodos->setChecked(true);
    CortaDivide->btLeeArch->click();
    QApplication::processEvents();
    ok = CortaDivide->grab().save(output.filePath("corta.png")) && ok;
    ok = Lee->grab().save(output.filePath("lee.png")) && ok;

    // The line list is copied first: its conversion is written beside it.
    QString lineList = output.filePath("nist_ar.asc");
    QFile::remove(lineList);
    ok = QFile::copy(examples.filePath("nist_ar.asc"), lineList) && ok;
    answers.push_back(lineList);
    Nist->showWindow();
    Nist->btLeeLineas->click();
    settle();
    ok = Nist->grab().save(output.filePath("nist.png")) && ok;

    // The store still holds the example spectrum and the iron lines.
    Conv->showWindow();
    Conv->btConvo->click();
    settle();
    ok = Conv->grab().save(output.filePath("conv.png")) && ok;

    QDir::setCurrent(output.path()); // the peak file
    BuscaPicos->showWindow();
    BuscaPicos->btPicos->click();
    settle();
    ok = BuscaPicos->grab().save(output.filePath("picos.png")) && ok;

    QString longName = output.filePath("argon_550nm_c1_y512_fibra_central.dat");
    QFile::remove(longName);
    ok = QFile::copy(examples.filePath("espectro_ar.dat"), longName) && ok;
    answers.push_back(longName);
    Lee->openExperimental();
    Lee->btLeeExp->click();
    settle();
    ok = Lee->grab().save(output.filePath("lee_largo.png")) && ok;
    destroyWindows();
    return ok && !failed ? 0 : 1;
}
