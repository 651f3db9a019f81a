// The line-ratio run and its two trace sources.
#include "RatioRun.h"

#include "textio/AppError.h"
#include "textio/Files.h"
#include "textio/NumberText.h"
#include "textio/TextReader.h"

#include <cmath>
#include <utility>

namespace eva {

double storedAbscissa(double value) {
    return textio::parseRealToken(textio::fixedField(value, 0, 3));
}

double storedValue(double value) {
    // "%.0f" rounds the exact value to the nearest whole number, a half to the even one, and
    // reads back as that number; a zero is written without its sign.
    return value == 0.0 ? 0.0 : std::nearbyint(value);
}

namespace {

// The abscissa as the store holds it once "%10.3f" wrote it: the value itself when it has at
// most three decimals (a thousandfold whole number, well within a double's digits), so that the
// usual abscissae need no round trip through the text.
double abscissaAsStored(double value) {
    if (value == 0.0)
        return 0.0;
    if (std::fabs(value) < 1e12 && std::nearbyint(value * 1000) / 1000 == value)
        return value;
    return eva::storedAbscissa(value);
}

} // namespace

void PairByPairSource::load(int fibre) {
    steps_.extractToTemp(image_, fibre);
    loaded_ = steps_.loadTemp();
}

void PairByPairSource::calculate(const RatioWavelengths& lambda, RatioState& state) {
    computeRatios(loaded_, lambda, state);
}

ImageTraces ImageTraces::read(const std::filesystem::path& image,
                              const andor::TraceSettings& settings) {
    auto stream = andor::ImageStream::open(image);
    if (auto text = andor::FrameText::read(stream, settings.geometry, settings.frame,
                                           andor::FrameText::Cores::One))
        return ImageTraces(std::move(*text), settings);
    auto again = andor::ImageStream::open(image);
    return ImageTraces(andor::ParsedFrame::read(again, settings.geometry, settings.frame),
                       settings);
}

ImageTraces::ImageTraces(andor::FrameText frame, const andor::TraceSettings& settings)
    : settings_(settings), text_(std::move(frame)) {
    const auto geometry = settings_.geometry;
    if (settings_.mode == andor::TraceMode::Column) {
        // Each line's abscissa, read beside its first value without splitting the line further.
        andor::TraceSettings first = settings_;
        first.traceIndex = 2;
        first.halfWidth = 1;
        x_.reserve(static_cast<std::size_t>(geometry.lines));
        text_->trace(first, [this](const andor::TracePoint& p) {
            x_.push_back(abscissaAsStored(p.abscissa));
        });
    } else {
        x_.resize(static_cast<std::size_t>(geometry.values));
        for (int i = 2; i <= geometry.values + 1; ++i)
            x_[static_cast<std::size_t>(i - 2)] = i;
    }
    y_.resize(x_.size());
    stamp_.assign(x_.size(), 0);
}

ImageTraces::ImageTraces(andor::ParsedFrame frame, const andor::TraceSettings& settings)
    : settings_(settings), parsed_(std::move(frame)) {}

void ImageTraces::select(int fibre) {
    settings_.traceIndex = fibre;
    if (parsed_) {
        materialize();
        return;
    }
    ++current_;
    if (settings_.mode == andor::TraceMode::Column)
        size_ = andor::windowFits(settings_) ? x_.size() : 0;
    else
        size_ = fibre >= 1 && fibre <= settings_.geometry.lines ? x_.size() : 0;
}

double ImageTraces::y(std::size_t k) const {
    if (stamp_[k] != current_) {
        int at = static_cast<int>(k) + 1;
        y_[k] = storedValue(settings_.mode == andor::TraceMode::Column
                                ? text_->columnValue(settings_, at)
                                : text_->number(settings_.traceIndex, at + 1));
        stamp_[k] = current_;
    }
    return y_[k];
}

std::optional<std::size_t> ImageTraces::firstAtOrBeyond(double lambda) const {
    if (size_ == 0)
        return std::nullopt;
    for (const auto& [known, first] : firsts_)
        if (known == lambda)
            return first;
    auto first = eva::firstAtOrBeyond({x_, y_}, lambda);
    firsts_.emplace_back(lambda, first);
    return first;
}

void ImageTraces::materialize() {
    const bool column = settings_.mode == andor::TraceMode::Column;
    x_.clear();
    y_.clear();
    firsts_.clear();
    parsed_->trace(settings_, [&](const andor::TracePoint& p) {
        x_.push_back(column ? storedAbscissa(p.abscissa) : p.position);
        y_.push_back(storedValue(p.value));
    });
    ++current_;
    stamp_.assign(y_.size(), current_);
    size_ = y_.size();
}

std::vector<RatioFindings> findImageInputs(ImageTraces& traces, std::span<const int> fibres,
                                           const RatioWavelengths& lambda) {
    std::vector<RatioFindings> found;
    found.reserve(fibres.size());
    for (int fibre : fibres) {
        traces.select(fibre);
        found.push_back(findRatioInputs(traces, lambda));
    }
    return found;
}

FrameOnceSource::FrameOnceSource(std::function<andor::TraceSettings()> settings,
                                 TraceSource& pairByPair)
    : readSettings_(std::move(settings)), pairByPair_(pairByPair) {}

FrameOnceSource::~FrameOnceSource() = default;

void FrameOnceSource::beginImage(const RunImage& image) {
    if (!settings_)
        settings_ = readSettings_();
    image_ = image;
    trace_.reset();
    try {
        textio::ensureDistinct(image.path, "temp.dat");
        trace_.emplace(ImageTraces::read(image.path, *settings_));
    } catch (const textio::AppError&) {
        // The pair-by-pair steps meet the same failure and report it as they do.
        pairByPair_.beginImage(image);
    }
}

void FrameOnceSource::load(int fibre) {
    if (!trace_) {
        pairByPair_.load(fibre);
        unloaded_.reset();
        return;
    }
    // The pair-by-pair steps would find out at their first pair that "temp.dat" cannot be made.
    if (!tempChecked_) {
        textio::TextWriter::checkCreatable("temp.dat");
        tempChecked_ = true;
    }
    unloaded_ = Pair{image_, fibre};
    trace_->select(fibre);
}

void FrameOnceSource::calculate(const RatioWavelengths& lambda, RatioState& state) {
    if (!trace_)
        pairByPair_.calculate(lambda, state);
    else
        computeRatios(*trace_, lambda, state);
}

void FrameOnceSource::finish(bool failed) {
    if (!unloaded_)
        return;
    Pair last = std::move(*unloaded_);
    unloaded_.reset();
    auto load = [&] {
        pairByPair_.beginImage(last.image);
        pairByPair_.load(last.fibre);
    };
    if (!failed) {
        load();
        return;
    }
    try {
        load();
    } catch (const std::exception&) {
        // The run's own failure is what the operator is told about.
    }
}

void runRatios(std::span<const RunImage> images, std::span<const int> fibres, TraceSource& source,
               const std::function<RatioWavelengths()>& wavelengths, RatioState& state,
               textio::TextWriter& out, const ResultSink& onResult) {
    std::optional<RatioWavelengths> lambda;
    try {
        for (const RunImage& image : images) {
            out.writeLine(std::string("####  ").append(image.name));
            if (fibres.empty())
                continue;
            source.beginImage(image);
            for (int fibre : fibres) {
                source.load(fibre);
                if (!lambda)
                    lambda = wavelengths();
                source.calculate(*lambda, state);
                onResult(image, fibre, state);
                out.writeLine(resultLine(fibre, state));
            }
        }
        out.close();
    } catch (...) {
        source.finish(true);
        throw;
    }
    source.finish(false);
}

} // namespace eva
