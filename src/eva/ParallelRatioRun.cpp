// The line-ratio run on several threads, and the quantities a run carries into an image.
#include "ParallelRatioRun.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace eva {

namespace {

// Raises a failure kept from a thread, or from findings, as the run's failure at its pair.
[[noreturn]] void raiseAt(std::exception_ptr failure, const RunImage& image,
                          std::optional<int> fibre) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const RunFailure&) {
        throw;
    } catch (const textio::AppError& e) {
        throw RunFailure(e.what(), image, fibre);
    }
}

} // namespace

ImageFindings findImage(const RunImage& image, std::span<const int> fibres,
                        const RatioRunSettings& settings) {
    try {
        ImageTraces traces = ImageTraces::read(image.path, settings.trace);
        return {findImageInputs(traces, fibres, settings.lambda), nullptr};
    } catch (...) {
        return {{}, std::current_exception()};
    }
}

ParallelSource::ParallelSource(std::vector<RunImage> images, std::vector<int> fibres,
                               RatioRunSettings settings, int jobs)
    : images_(std::move(images)), fibres_(std::move(fibres)), settings_(settings),
      done_(images_.size()) {
    // Without fibres a run reads no image. The caller's thread reads too, while it waits.
    std::size_t threads =
        fibres_.empty()
            ? 0
            : std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), images_.size());
    for (std::size_t t = 1; t < threads; ++t)
        threads_.emplace_back([this] { work(); });
}

ParallelSource::~ParallelSource() {
    finish(true);
}

bool ParallelSource::readNextUnread() {
    std::size_t i = nextToRead_.fetch_add(1);
    if (i >= images_.size() || stopping_)
        return false;
    ImageFindings found = findImage(images_[i], fibres_, settings_);
    std::lock_guard lock(mutex_);
    done_[i] = std::move(found);
    read_.notify_all();
    return true;
}

void ParallelSource::work() {
    while (readNextUnread()) {
    }
}

ImageFindings ParallelSource::takeNext() {
    std::unique_lock lock(mutex_);
    while (!done_[image_]) {
        lock.unlock();
        bool read = readNextUnread();
        lock.lock();
        if (!read)
            read_.wait(lock, [this] { return done_[image_].has_value(); });
    }
    ImageFindings found = std::move(*done_[image_]);
    done_[image_].reset();
    return found;
}

void ParallelSource::beginImage(const RunImage& image) {
    if (image_ >= images_.size() || images_[image_].name != image.name)
        throw std::logic_error("images begun out of the order given");
    current_ = takeNext();
    pair_ = 0;
    ++image_;
}

void ParallelSource::load(int fibre) {
    const RunImage& image = images_[image_ - 1];
    if (current_.failure)
        raiseAt(current_.failure, image, std::nullopt);
    if (pair_ >= fibres_.size() || fibres_[pair_] != fibre)
        throw std::logic_error("fibres loaded out of the order given");
    ++pair_;
}

void ParallelSource::calculate(const RatioWavelengths& lambda, RatioState& state) {
    const RatioWavelengths& given = settings_.lambda;
    if (lambda.line1 != given.line1 || lambda.ref1 != given.ref1 || lambda.ar != given.ar ||
        lambda.background != given.background)
        throw std::logic_error("wavelengths other than those the images were read for");
    try {
        applyFindings(current_.pairs[pair_ - 1], state);
    } catch (const textio::AppError& e) {
        throw RunFailure(e.what(), images_[image_ - 1], fibres_[pair_ - 1]);
    }
}

void ParallelSource::finish(bool) {
    stopping_ = true;
    for (std::jthread& thread : threads_)
        if (thread.joinable())
            thread.join();
}

void runRatiosInParallel(std::span<const RunImage> images, std::span<const int> fibres,
                         const RatioRunSettings& settings, int jobs, RatioState& state,
                         textio::TextWriter& out, const ResultSink& onResult) {
    ParallelSource source({images.begin(), images.end()}, {fibres.begin(), fibres.end()}, settings,
                          jobs);
    runRatios(
        images, fibres, source, [&] { return settings.lambda; }, state, out, onResult);
}

namespace {

// Takes into `state` the quantities of `found` not known yet; true once all four are known.
bool takeUnknown(const RatioFindings& found, RatioState& state, bool (&known)[4]) {
    const std::optional<double>* values[4] = {&found.background, &found.intensityLine1,
                                              &found.intensityRef1, &found.intensityAr};
    double* fields[4] = {&state.background, &state.intensityLine1, &state.intensityRef1,
                         &state.intensityAr};
    for (int q = 0; q < 4; ++q)
        if (!known[q] && values[q]->has_value()) {
            *fields[q] = **values[q];
            known[q] = true;
        }
    return std::all_of(std::begin(known), std::end(known), [](bool k) { return k; });
}

} // namespace

RatioState stateCarriedInto(std::span<const RunImage> images, std::size_t first,
                            std::span<const int> fibres, const RatioRunSettings& settings,
                            RatioState start) {
    bool known[4] = {false, false, false, false};
    if (fibres.empty())
        return start; // a run without fibres reads no image
    for (std::size_t i = std::min(first, images.size()); i-- > 0;) {
        ImageFindings image = findImage(images[i], fibres, settings);
        if (image.failure)
            raiseAt(image.failure, images[i], std::nullopt);
        for (std::size_t j = image.pairs.size(); j-- > 0;) {
            const RatioFindings& pair = image.pairs[j];
            if (pair.failure)
                raiseAt(pair.failure, images[i], fibres[j]);
            if (takeUnknown(pair, start, known))
                return start;
        }
    }
    return start;
}

} // namespace eva
