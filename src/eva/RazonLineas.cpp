// TRazon, the line-intensity ratio window.
#include "RazonLineas.h"

#include "andor/AndorLee.h"
#include "eva/RatioRun.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "store/Archivos.h"
#include "textio/Files.h"
#include "textio/TextReader.h"
#include "textio/TextWriter.h"

#include <span>
#include <vector>

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

void TRazon::ensureOutputsApart(std::span<const eva::RunImage> images) const {
    std::vector<std::filesystem::path> inputs{listPath_, sequencePath_};
    for (const eva::RunImage& image : images)
        inputs.push_back(image.path);
    textio::ensureDistinct(inputs, resultsFileName);
    textio::ensureDistinct(inputs, "temp.dat");
}

void TRazon::btTrazaClick() {
    std::vector<eva::RunImage> images;
    for (int f = 1; f <= fileCount; ++f)
        images.push_back({fileNames[f], textio::listedFile(fileNames[f])});
    ensureOutputsApart(images);
    auto out = textio::TextWriter::create(resultsFileName);
    // Only now that the results file exists can a "temp.dat" leading to it be recognised.
    textio::ensureDistinct(resultsFileName, "temp.dat");
    ListBox1->add(QStringLiteral("Archivo  Fibra   Razon "));
    std::span<const int> fibres(fibre.data(), static_cast<std::size_t>(sequenceCount));
    eva::PairByPairSource pairByPair({
        [](const eva::RunImage& image, int fibreNumber) {
            Andor->ExtractTraceToTemp(platform::fromFileText(image.name), fibreNumber);
        },
        [] { return loadTemp(); },
    });
    eva::FrameOnceSource source([] { return Andor->settingsFromControls(); }, pairByPair);
    auto listResult = [this](const eva::RunImage& image, int fibreNumber,
                             const eva::RatioState& result) {
        ListBox1->add(platform::fromFileText(eva::resultListLine(image.name, fibreNumber, result)));
    };
    calculateKeepingState([&](eva::RatioState& state) {
        eva::runRatios(
            images, fibres, source, [this] { return readWavelengths(); }, state, out, listResult);
    });
}

void TRazon::btCalcRazonClick() {
    eva::SpectrumView spectrum = loadTemp();
    eva::RatioWavelengths lambda = readWavelengths();
    calculateKeepingState(
        [&](eva::RatioState& state) { eva::computeRatios(spectrum, lambda, state); });
}

eva::SpectrumView TRazon::loadTemp() {
    Lee->LoadExperimentalFile(QStringLiteral("temp.dat"));
    const auto& s = Lee->store;
    auto n = static_cast<std::size_t>(s.nExp);
    return {{s.xExp.data(), n}, {s.yExp.data(), n}};
}

void TRazon::calculateKeepingState(const std::function<void(eva::RatioState&)>& calculate) {
    eva::RatioState state = currentState();
    // What the calculations found stays in the fields, also when one of them fails.
    try {
        calculate(state);
    } catch (...) {
        keepState(state);
        throw;
    }
    keepState(state);
}

eva::RatioWavelengths TRazon::readWavelengths() {
    lambdaLine1 = platform::realOf(edCol1);
    lambdaRef1 = platform::realOf(edColR1);
    lambdaAr = platform::realOf(edColAr);
    return {lambdaLine1, lambdaRef1, lambdaAr, platform::realOf(edColFon)};
}

eva::RatioState TRazon::currentState() const {
    return {background, intensityLine1, intensityRef1, intensityAr,
            ratioR1,    ratioArLine1,   ratioArRef1};
}

void TRazon::keepState(const eva::RatioState& state) {
    background = state.background;
    intensityLine1 = state.intensityLine1;
    intensityRef1 = state.intensityRef1;
    intensityAr = state.intensityAr;
    ratioR1 = state.ratioR1;
    ratioArLine1 = state.ratioArLine1;
    ratioArRef1 = state.ratioArRef1;
}

void TRazon::Button2Click() {
    hide();
}
