// TRazon, the line-intensity ratio window.
#include "RazonLineas.h"

#include "andor/AndorLee.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "store/Archivos.h"
#include "textio/Files.h"
#include "textio/NumberText.h"
#include "textio/TextReader.h"
#include "textio/TextWriter.h"

#include <QApplication>
#include <QDateTime>

TRazon* Razon = nullptr;

namespace {

const char* const resultsFileName = "RazonInt.dat";

using platform::button;
using platform::edit;
using platform::label;
using platform::named;

void reportTruncation(bool truncated, int capacity, const QString& what) {
    if (truncated)
        platform::showMessage(
            QStringLiteral("El archivo tiene más de %1 %2; se leyeron los primeros %1.")
                .arg(capacity)
                .arg(what),
            QStringLiteral("Archivo demasiado largo"));
}

// A trace value as the store holds it after the trace file is read back.
double asStored(double value, int decimals) {
    return textio::parseRealToken(textio::fixedField(value, 0, decimals));
}

} // namespace

TRazon::TRazon()
    : Form(QStringLiteral("Razon"), QStringLiteral("Razon de intensidad de lineas"), 481, 419) {
    setPlacement(platform::Placement::Default);
    createControls();
}

void TRazon::createControls() {
    QWidget* a = clientArea();
    Label1 = label(a, "Label1", QStringLiteral("Razon de intensidades"), {10, 8, 160, 22});
    Label4 = label(a, "Label4", QStringLiteral("R1"), {176, 2, 50, 30});
    QFont big = Label4->font();
    big.setPixelSize(22);
    big.setBold(true);
    Label4->setFont(big);
    Label2 = label(a, "Label2", QStringLiteral("Color 1"), {10, 40, 104, 22});
    edCol1 = edit(a, "edCol1", QStringLiteral("406.57"), {116, 38, 80, 26});
    Label3 = label(a, "Label3", QStringLiteral("Color ref 1"), {10, 72, 104, 22});
    edColR1 = edit(a, "edColR1", QStringLiteral("405.54"), {116, 70, 80, 26});
    Label7 = label(a, "Label7", QStringLiteral("Linea Ar"), {10, 104, 104, 22});
    edColAr = edit(a, "edColAr", QStringLiteral("415.16"), {116, 102, 80, 26});
    Label5 = label(a, "Label5", QStringLiteral("Luz de fondo @"), {10, 136, 104, 22});
    edColFon = edit(a, "edColFon", QStringLiteral("402"), {116, 134, 80, 26});
    Label6 = label(a, "Label6", QStringLiteral("nm"), {200, 136, 30, 22});
    btListaArch =
        button(a, "btListaArch", QStringLiteral("Lee Lista de &Archivos"), {240, 8, 232, 30});
    btLeeSec =
        button(a, "btLeeSec", QStringLiteral("Lee &Secuencia de espectros"), {240, 44, 232, 30});
    btTraza = button(a, "btTraza", QStringLiteral("Extrae traza espectro"), {240, 80, 232, 30});
    lbArchSec = label(a, "lbArchSec", QStringLiteral("................"), {240, 116, 232, 22});
    Button2 = button(a, "Button2", QStringLiteral("&Salir"), {240, 142, 232, 30});
    ListBox1 = named(new platform::ListBox(a), "ListBox1", {10, 182, 462, 228});
    ListBox1->setFollowNewest(true);
    OpenDialog1 = new platform::OpenDialog(QStringLiteral("OpenDialog1"),
                                           QStringLiteral("datos|*.txt"), this);

    platform::onClick(btListaArch, this, &TRazon::btListaArchClick);
    platform::onClick(btLeeSec, this, &TRazon::btLeeSecClick);
    platform::onClick(btTraza, this, &TRazon::btTrazaClick);
    platform::onClick(Button2, this, &TRazon::Button2Click);
}

void TRazon::btLeeSecClick() {
    if (!OpenDialog1->execute())
        return;
    lbArchSec->setText(platform::fileNameOnly(OpenDialog1->fileName()));
    auto in = textio::TextReader::openFile(platform::toPath(OpenDialog1->fileName()));
    sequencePath_ = std::filesystem::absolute(platform::toPath(OpenDialog1->fileName()));
    auto read = eva::readSequence(in);
    int i = 0;
    for (const auto& entry : read.entries) {
        ++i;
        sequenceNumber[i] = entry.sequenceNumber;
        fibre[i] = entry.fibre;
        ListBox1->add(QStringLiteral("%1     %2").arg(entry.sequenceNumber).arg(entry.fibre));
    }
    sequenceCount = i;
    reportTruncation(read.truncated, eva::sequenceCapacity, QStringLiteral("entradas"));
}

void TRazon::btListaArchClick() {
    if (!OpenDialog1->execute())
        return;
    lbArchSec->setText(platform::fileNameOnly(OpenDialog1->fileName()));
    auto in = textio::TextReader::openFile(platform::toPath(OpenDialog1->fileName()));
    listPath_ = std::filesystem::absolute(platform::toPath(OpenDialog1->fileName()));
    auto read = eva::readFileList(in);
    int i = 0;
    for (const auto& name : read.entries) {
        ++i;
        fileNames[i] = name;
        ListBox1->add(QStringLiteral("%1     %2").arg(i).arg(platform::fromFileText(name)));
    }
    fileCount = i;
    reportTruncation(read.truncated, eva::fileListCapacity, QStringLiteral("nombres"));
}

void TRazon::ensureOutputsApart() const {
    std::vector<std::filesystem::path> inputs{listPath_, sequencePath_};
    for (int f = 1; f <= fileCount; ++f)
        inputs.push_back(platform::toPath(platform::fromFileText(fileNames[f])));
    textio::ensureDistinct(inputs, resultsFileName);
    textio::ensureDistinct(inputs, "temp.dat");
}

void TRazon::btTrazaClick() {
    ensureOutputsApart();
    auto out = textio::TextWriter::create(resultsFileName);
    // Only now that the results file exists can a "temp.dat" leading to it be recognised.
    textio::ensureDistinct(resultsFileName, "temp.dat");
    ListBox1->add(QStringLiteral("Archivo  Fibra   Razon "));
    unreplayed_.reset();
    tempChecked_ = false;
    try {
        for (int f = 1; f <= fileCount; ++f)
            runFile(out, fileNames[f]);
        out.close();
    } catch (...) {
        // The failure is what the operator is told about; a replay that fails as well (a full
        // disk, say) adds nothing to it.
        if (unreplayed_) {
            try {
                replayExtraction(*unreplayed_);
            } catch (const std::exception&) {
            }
        }
        throw;
    }
    if (unreplayed_)
        replayExtraction(*unreplayed_);
}

void TRazon::runFile(textio::TextWriter& out, const std::string& file) {
    out.writeLine(std::string("####  ").append(file));
    std::optional<andor::ParsedFrame> frame;
    if (sequenceCount > 0)
        frame = readFrameOnce(file);
    for (int j = 1; j <= sequenceCount; ++j)
        runPair(out, file, fibre[j], frame ? &*frame : nullptr);
}

void TRazon::runPair(textio::TextWriter& out, const std::string& file, int fibreNumber,
                     const andor::ParsedFrame* frame) {
    if (frame != nullptr) {
        checkTempWritable();
        // Loading comes before the calculation: a failing calculation leaves this pair's trace.
        unreplayed_ = Pair{file, fibreNumber};
        ratiosFromFrame(*frame, fibreNumber);
    } else {
        Andor->ExtractTraceToTemp(platform::fromFileText(file), fibreNumber);
        btCalcRazonClick();
    }
    eva::RatioState state{background, intensityLine1, intensityRef1, intensityAr,
                          ratioR1,    ratioArLine1,   ratioArRef1};
    ListBox1->add(platform::fromFileText(eva::resultListLine(file, fibreNumber, state)));
    out.writeLine(eva::resultLine(fibreNumber, state));
    showProgress();
}

std::optional<andor::ParsedFrame> TRazon::readFrameOnce(const std::string& file) const {
    try {
        andor::TraceSettings settings = Andor->settingsFromControls();
        auto path = platform::toPath(platform::fromFileText(file));
        textio::ensureDistinct(path, "temp.dat");
        auto image = andor::ImageStream::open(path);
        return andor::ParsedFrame::read(image, settings.geometry, settings.frame);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void TRazon::ratiosFromFrame(const andor::ParsedFrame& frame, int fibreNumber) {
    andor::TraceSettings settings = Andor->settingsFromControls();
    settings.traceIndex = fibreNumber;
    std::vector<double> xs;
    std::vector<double> ys;
    frame.trace(settings, [&](const andor::TracePoint& p) {
        bool column = settings.mode == andor::TraceMode::Column;
        xs.push_back(column ? asStored(p.abscissa, 3) : p.position);
        ys.push_back(asStored(p.value, 0));
    });
    ratiosFrom({xs, ys});
}

void TRazon::btCalcRazonClick() {
    Lee->LoadExperimentalFile(QStringLiteral("temp.dat"));
    unreplayed_.reset();
    const auto& s = Lee->store;
    auto n = static_cast<std::size_t>(s.nExp);
    ratiosFrom({{s.xExp.data(), n}, {s.yExp.data(), n}});
}

void TRazon::ratiosFrom(const eva::SpectrumView& spectrum) {
    lambdaLine1 = platform::realOf(edCol1);
    lambdaRef1 = platform::realOf(edColR1);
    lambdaAr = platform::realOf(edColAr);
    double lambdaBackground = platform::realOf(edColFon);
    eva::RatioState state{background, intensityLine1, intensityRef1, intensityAr,
                          ratioR1,    ratioArLine1,   ratioArRef1};
    // What the calculation found before a failing ratio stays in the fields.
    auto keep = [&] {
        background = state.background;
        intensityLine1 = state.intensityLine1;
        intensityRef1 = state.intensityRef1;
        intensityAr = state.intensityAr;
        ratioR1 = state.ratioR1;
        ratioArLine1 = state.ratioArLine1;
        ratioArRef1 = state.ratioArRef1;
    };
    try {
        eva::computeRatios(spectrum, {lambdaLine1, lambdaRef1, lambdaAr, lambdaBackground}, state);
    } catch (...) {
        keep();
        throw;
    }
    keep();
}

void TRazon::checkTempWritable() {
    if (tempChecked_)
        return;
    textio::TextWriter::checkCreatable("temp.dat");
    tempChecked_ = true;
}

void TRazon::replayExtraction(const Pair& pair) {
    Andor->ExtractTraceToTemp(platform::fromFileText(pair.file), pair.fibre);
    Lee->LoadExperimentalFile(QStringLiteral("temp.dat"));
}

// Lets the list show its new lines now and then during a long run; no input is taken meanwhile.
void TRazon::showProgress() {
    qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastProgress_ < 100)
        return;
    lastProgress_ = now;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TRazon::Button2Click() {
    hide();
}
