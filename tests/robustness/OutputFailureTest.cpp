// Every file the tools write, when it cannot be made or cannot grow: a folder in its place, a
// working folder that is gone, a disk that is full. Each must reach the operator as one error and
// leave the input files as they were.
#include "WindowTestSupport.h"
#include "andor/AndorLee.h"
#include "andor/Cut.h"
#include "eva/EvaOp.h"
#include "eva/RazonLineas.h"
#include "lines/Lineas.h"
#include "reference/NistConvierte.h"
#include "reference/Picos.h"
#include "store/Archivos.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <functional>
#include <map>
#include <optional>

using testsupport::DialogScript;
using testsupport::MessageCapture;
using testsupport::WorkFolder;

namespace {

using Inputs = std::map<QString, QByteArray>;

using Step = std::function<void(const QDir& in, DialogScript& script)>;

// One tool's operation on `inputs`, in a folder of their own ("@" in an input stands for that
// folder): `prepare` reads them, `write` makes `output` in the working folder, which the file
// dialogs have moved to the inputs' folder. Where one click does both, `prepare` is empty.
struct Operation {
    const char* name;
    QString output;
    Inputs inputs;
    Step prepare;
    Step write;
};

const char* const spectrum = "400 10\n401 11\n402 50\n403 12\n404 10\n405 9\n";
const char* const image = "400 1 2 3\n401 4 5 6\n";

// 100 points falling slowly, with one peak at 425 nm.
QByteArray spectrumWithAPeak() {
    QByteArray text;
    for (int i = 1; i <= 100; ++i)
        text += QByteArray::number(400 + 0.5 * i) + " " +
                QByteArray::number(i == 50 ? 1000 : 100 - 0.1 * i) + "\n";
    return text;
}

void loadSpectrum(const QDir& in, DialogScript& script) {
    script.choose(in.filePath("espectro.dat"));
    Linea->btLeeExp->click();
    Lee->btLeeExp->click();
    Linea->FormActivate();
}

const std::vector<Operation>& operations() {
    static const std::vector<Operation> all{
        {"corrected spectrum",
         "espectro_cor.dat",
         {{"espectro.dat", spectrum}},
         loadSpectrum,
         [](const QDir&, DialogScript&) { Linea->btGuardaDatosExp->click(); }},
        {"captured peaks",
         "espectro.dat_picos.dat",
         {{"espectro.dat", spectrum}},
         [](const QDir& in, DialogScript& script) {
             loadSpectrum(in, script);
             Linea->resize(1022, 693);
             Linea->btGrafExp->click();
             Linea->CBguarda->setChecked(true);
             Linea->FormMouseDown({Qt::LeftButton, Qt::LeftButton, {}, false, 300, 300});
         },
         [](const QDir&, DialogScript&) {
             Linea->btGuarda->click();
             Linea->CBguarda->setChecked(false);
         }},
        {"camera trace",
         "imagen_c1_y47.dat",
         {{"imagen.asc", image}},
         {},
         [](const QDir& in, DialogScript& script) {
             Andor->rb1024x256->setChecked(true);
             Andor->rbCol->setChecked(true);
             Andor->edCuadroN->setText("1");
             Andor->edCol->setText("47");
             Andor->ednsum->setText("5");
             script.choose(in.filePath("imagen.asc"));
             Andor->btAndor->click();
         }},
        {"split frames",
         "imagen_c1.asc",
         {{"imagen.asc", image}},
         {},
         [](const QDir& in, DialogScript& script) {
             CortaDivide->rbTodos->setChecked(true);
             script.choose(in.filePath("imagen.asc"));
             CortaDivide->btLeeArch->click();
             CortaDivide->rbUno->setChecked(true);
         }},
        {"cropped frame",
         "imagen_c1.dat",
         {{"imagen.asc", image}},
         {},
         [](const QDir& in, DialogScript& script) {
             CortaDivide->rbUno->setChecked(true);
             script.choose(in.filePath("imagen.asc"));
             CortaDivide->btLeeArch->click();
         }},
        {"converted line list",
         "argon.dat",
         {{"argon.asc", "Ar I        6965.431 |  10000 | 6.4e+06 |\n"}},
         {},
         [](const QDir& in, DialogScript& script) {
             Nist->edImin->setText("100");
             script.choose(in.filePath("argon.asc"));
             Nist->btLeeLineas->click();
         }},
        {"peak search",
         "cosa3.dat",
         {{"espectro.dat", spectrumWithAPeak()}},
         loadSpectrum,
         [](const QDir&, DialogScript&) {
             BuscaPicos->Edit1->setText("6");
             BuscaPicos->btPicos->click();
         }},
        {"EVA conversion",
         "ar550test.dat",
         {{"eva.asc", "0 1000 5\n0 1001 6\n"}},
         {},
         [](const QDir& in, DialogScript& script) {
             EvaOpera->edPosCen->setText("1024");
             script.choose(in.filePath("eva.asc"));
             EvaOpera->btEva->click();
         }},
        {"line ratios",
         "RazonInt.dat",
         {{"img1.asc", image}, {"lista.txt", "@/img1.asc\n"}, {"secuencia.txt", ""}},
         [](const QDir& in, DialogScript& script) {
             script.choose(in.filePath("lista.txt"));
             script.choose(in.filePath("secuencia.txt"));
             Razon->btListaArch->click();
             Razon->btLeeSec->click();
         },
         [](const QDir&, DialogScript&) { Razon->btTraza->click(); }},
    };
    return all;
}

Inputs write(const QDir& dir, const Inputs& inputs) {
    Inputs files;
    for (const auto& [name, text] : inputs) {
        QByteArray bytes = text;
        bytes.replace("@", dir.path().toUtf8());
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        files[f.fileName()] = bytes;
    }
    return files;
}

Inputs reread(const QDir& dir, const Inputs& inputs) {
    Inputs files;
    for (const auto& entry : inputs) {
        QFile f(dir.filePath(entry.first));
        files[f.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : "<missing>";
    }
    return files;
}

// Limits the size of every file this process writes while alive, as a full disk would. The
// signal the limit raises is left as it is: the writers themselves must keep it from ending the
// process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (getrlimit(RLIMIT_FSIZE, &previous_) != 0)
            return;
        rlimit limited{bytes, previous_.rlim_max};
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        if (active_)
            setrlimit(RLIMIT_FSIZE, &previous_);
    }
    bool active() const { return active_; }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    bool active_ = false;
};

enum class Failure { FolderInPlace, WorkingFolderGone, DiskFull };

// Runs every operation with the failure arranged just before its output is made, and checks
// the error it reports and that its inputs kept their bytes.
void expectEveryOperationReports(Failure failure, const QString& expected) {
    for (const auto& op : operations()) {
        if (failure == Failure::WorkingFolderGone && !op.prepare)
            continue; // the dialog of the same click sets the working folder
        WorkFolder work;
        QTemporaryDir folder;
        const QDir in(folder.path());
        const Inputs before = write(in, op.inputs);
        DialogScript script;
        MessageCapture capture;
        if (failure == Failure::FolderInPlace) {
            ASSERT_TRUE(in.mkdir(op.output));
        }
        if (op.prepare)
            op.prepare(in, script);
        std::optional<FileSizeLimit> limit;
        if (failure == Failure::DiskFull) {
            limit.emplace(1);
            ASSERT_TRUE(limit->active()) << "no file-size limit";
        }
        std::optional<QTemporaryDir> gone;
        if (failure == Failure::WorkingFolderGone) {
            gone.emplace();
            QDir::setCurrent(gone->path());
            ASSERT_TRUE(gone->remove());
        }
        op.write(in, script);
        limit.reset();
        EXPECT_EQ(capture.errors(), QStringList{expected}) << op.name;
        EXPECT_EQ(reread(in, op.inputs), before) << op.name;
        if (failure == Failure::DiskFull) {
            EXPECT_LE(QFileInfo(in.filePath(op.output)).size(), 1) << op.name;
        }
    }
}

} // namespace

TEST(OutputFailure, AFolderWhereTheOutputGoesIsReported) {
    expectEveryOperationReports(Failure::FolderInPlace, "File access denied");
}

TEST(OutputFailure, AWorkingFolderThatIsGoneIsReported) {
    expectEveryOperationReports(Failure::WorkingFolderGone, "File access denied");
}

TEST(OutputFailure, AFullDiskIsReported) {
    expectEveryOperationReports(Failure::DiskFull, "Disk full");
}
