// The line-ratio run on several threads: the images read and their findings made at once, the
// carried quantities taken in list order, so that the lines are those of a run on one thread.
#pragma once

#include "eva/LineRatio.h"
#include "eva/RatioRun.h"
#include "textio/AppError.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace eva {

// A failure of a run, with the core's text (what the window shows) and where it happened: the
// image that could not be read (no fibre), or the image and fibre whose calculation failed.
class RunFailure : public textio::AppError {
public:
    RunFailure(const std::string& text, RunImage image, std::optional<int> fibre)
        : AppError(text), image_(std::move(image)), fibre_(fibre) {}
    const RunImage& image() const { return image_; }
    std::optional<int> fibre() const { return fibre_; }

private:
    RunImage image_;
    std::optional<int> fibre_;
};

// What a run needs to know before its first image to read images ahead of the pairs.
struct RatioRunSettings {
    andor::TraceSettings trace; // the trace index aside
    RatioWavelengths lambda;
};

// What each fibre of an image gives, or the failure of reading the image.
struct ImageFindings {
    std::vector<RatioFindings> pairs;
    std::exception_ptr failure;
};

ImageFindings findImage(const RunImage& image, std::span<const int> fibres,
                        const RatioRunSettings& settings);

// Each image read once on one of `jobs` threads (the caller's among them), the findings of its
// fibres made there; the pairs are taken in list order on the caller's thread, whose calls must
// follow the images and fibres given here (and the wavelengths of the settings).
// Failures are raised as RunFailure at the pair where a run on one thread meets them.
class ParallelSource : public TraceSource {
public:
    ParallelSource(std::vector<RunImage> images, std::vector<int> fibres, RatioRunSettings settings,
                   int jobs);
    ~ParallelSource() override;

    void beginImage(const RunImage& image) override;
    void load(int fibre) override;
    void calculate(const RatioWavelengths& lambda, RatioState& state) override;
    // Stops the threads once their current image is read.
    void finish(bool failed) override;

private:
    // Reads the next image no thread has taken, if any.
    bool readNextUnread();
    void work();
    // The findings of the image the run comes to, reading others while they are not ready.
    ImageFindings takeNext();

    std::vector<RunImage> images_;
    std::vector<int> fibres_;
    RatioRunSettings settings_;
    // Shared with the threads: the next image to read, and the images read, taken in order.
    std::atomic<std::size_t> nextToRead_{0};
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable read_;
    std::vector<std::optional<ImageFindings>> done_;
    std::vector<std::jthread> threads_;
    // The caller's place in the run.
    std::size_t image_ = 0;
    ImageFindings current_;
    std::size_t pair_ = 0;
};

// The run over every image and fibre on `jobs` threads, writing what runRatios writes.
void runRatiosInParallel(std::span<const RunImage> images, std::span<const int> fibres,
                         const RatioRunSettings& settings, int jobs, RatioState& state,
                         textio::TextWriter& out, const ResultSink& onResult);

// The quantities that a run over the whole list carries into image `first` (the ratios aside):
// each the value found last before it, or the one in `start` when none was found. Reads the
// images before `first` backwards, only as far as needed, so that a part of a list can be run
// alone and still write the lines the whole run writes for it. Raises RunFailure for an image
// or pair on the way that would stop the whole run.
RatioState stateCarriedInto(std::span<const RunImage> images, std::size_t first,
                            std::span<const int> fibres, const RatioRunSettings& settings,
                            RatioState start = {});

} // namespace eva
