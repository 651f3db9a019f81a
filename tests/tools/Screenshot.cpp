// Saves pictures of the windows as an operator would see them after a typical session: the
// example spectrum with two line sets in the line view, the data-loading window, a trace cut out
// of a synthetic camera image, that image's first frame painted, and the image split into its
// frames (the frame files land in the output folder).
// Usage: lineid_screenshot EXAMPLES_FOLDER OUTPUT_FOLDER
#include "andor/AndorLee.h"
#include "andor/Cut.h"
#include "andor/ImagenAndor.h"
#include "app/Windows.h"
#include "lines/Lineas.h"
#include "platform/Messages.h"
#include "platform/OpenDialog.h"
#include "store/Archivos.h"

#include <QApplication>
#include <QDir>
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
    destroyWindows();
    return ok && !failed ? 0 : 1;
}
