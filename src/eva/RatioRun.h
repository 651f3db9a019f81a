// The line-ratio run: for every image of a list and every fibre of a sequence, the fibre's trace,
// its three background-corrected ratios, a result line, and where the traces come from.
#pragma once

#include "andor/AndorImage.h"
#include "eva/LineRatio.h"
#include "textio/TextWriter.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace eva {

// An image of the run: its name as the list gives it (and the results file repeats it) and the
// file it names.
struct RunImage {
    std::string name;
    std::filesystem::path path;
};

// Where the run's traces come from. For each image, beginImage; then for each fibre, load and
// calculate; after the last pair, finish (also when the run failed).
class TraceSource {
public:
    TraceSource() = default;
    TraceSource(const TraceSource&) = delete;
    TraceSource& operator=(const TraceSource&) = delete;
    virtual ~TraceSource() = default;

    virtual void beginImage(const RunImage& image) = 0;
    // Makes the fibre's trace of the current image the one calculate reads.
    virtual void load(int fibre) = 0;
    virtual void calculate(const RatioWavelengths& lambda, RatioState& state) = 0;
    // Leaves what the pair-by-pair steps leave after the last pair loaded. After a failure,
    // a failure of its own adds nothing to the first one and is not reported.
    virtual void finish(bool failed) { (void)failed; }
};

// The steps of one pair as the trace window and the store take them.
struct PairSteps {
    // Extracts the fibre's trace of the image into "temp.dat".
    std::function<void(const RunImage& image, int fibre)> extractToTemp;
    // Loads "temp.dat" into the store and gives the store's spectrum.
    std::function<SpectrumView()> loadTemp;
};

// Every pair the pair-by-pair way: extraction into "temp.dat", loading, calculation.
class PairByPairSource : public TraceSource {
public:
    explicit PairByPairSource(PairSteps steps) : steps_(std::move(steps)) {}
    void beginImage(const RunImage& image) override { image_ = image; }
    void load(int fibre) override;
    void calculate(const RatioWavelengths& lambda, RatioState& state) override;

private:
    PairSteps steps_;
    RunImage image_;
    SpectrumView loaded_;
};

// One image's traces as the store would hold each once its trace file is read back, from the
// frame read once: held as its text when it has the common shape (a number converted only when a
// calculation reads it), otherwise read whole. Select a fibre, then read its trace point by
// point (a PointwiseSpectrum).
class ImageTraces {
public:
    // Reads the frame the settings name (their trace index aside); raises what reading raises.
    static ImageTraces read(const std::filesystem::path& image,
                            const andor::TraceSettings& settings);
    ImageTraces(andor::FrameText frame, const andor::TraceSettings& settings);
    ImageTraces(andor::ParsedFrame frame, const andor::TraceSettings& settings);

    void select(int fibre);
    std::size_t size() const { return size_; }
    double y(std::size_t k) const;
    std::optional<std::size_t> firstAtOrBeyond(double lambda) const;

private:
    void materialize();

    andor::TraceSettings settings_;
    std::optional<andor::FrameText> text_;
    std::optional<andor::ParsedFrame> parsed_;
    // The abscissae as stored (the same for every trace of the image), and the values of the
    // current trace where their stamp is current.
    std::vector<double> x_;
    mutable std::vector<double> y_;
    mutable std::vector<unsigned> stamp_;
    unsigned current_ = 0;
    std::size_t size_ = 0;
    mutable std::vector<std::pair<double, std::optional<std::size_t>>> firsts_;
};

// What each fibre's trace of an image gives a calculation, in the order of `fibres`.
std::vector<RatioFindings> findImageInputs(ImageTraces& traces, std::span<const int> fibres,
                                           const RatioWavelengths& lambda);

// Each image read once for all its fibres (only the points a calculation needs are converted),
// with the trace "temp.dat" and the store would hold. "temp.dat" and the store are made to hold
// the last pair's trace by the pair-by-pair steps at the end. An image that cannot be read this
// way (a missing or unreadable file, a bad number) is handed to the pair-by-pair steps, which
// meet the same failure and report it as they do.
class FrameOnceSource : public TraceSource {
public:
    // `settings` gives the extraction settings (trace index aside) when the first image begins;
    // what it raises stops the run there.
    FrameOnceSource(std::function<andor::TraceSettings()> settings, TraceSource& pairByPair);
    ~FrameOnceSource() override;

    void beginImage(const RunImage& image) override;
    void load(int fibre) override;
    void calculate(const RatioWavelengths& lambda, RatioState& state) override;
    void finish(bool failed) override;

private:
    std::function<andor::TraceSettings()> readSettings_;
    std::optional<andor::TraceSettings> settings_;
    TraceSource& pairByPair_;
    std::optional<ImageTraces> trace_; // the current image's, or nothing when it goes pair by pair
    RunImage image_;
    struct Pair {
        RunImage image;
        int fibre = 0;
    };
    // The last pair whose trace "temp.dat" and the store do not hold yet.
    std::optional<Pair> unloaded_;
    bool tempChecked_ = false;
};

// Reports each pair's result before its line is written.
using ResultSink = std::function<void(const RunImage& image, int fibre, const RatioState& state)>;

// Writes "####  <name>" for every image and the result line of every fibre to `out` and closes
// it, then has the source finish (also after a failure). Each trace comes
// from `source`, the wavelengths from `wavelengths` (asked once, when the first calculation
// needs them). `state` carries the quantities from pair to pair and keeps what a
// failing calculation found.
void runRatios(std::span<const RunImage> images, std::span<const int> fibres, TraceSource& source,
               const std::function<RatioWavelengths()>& wavelengths, RatioState& state,
               textio::TextWriter& out, const ResultSink& onResult);

// A trace value as the store holds it once the trace file is read back: the abscissa with three
// decimals, the value with none (as "%10.3f" and "%10.0f" write them).
double storedAbscissa(double value);
double storedValue(double value);

} // namespace eva
