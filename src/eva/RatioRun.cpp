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

bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') <= 9;
}

// The abscissa as stored, from its text: a number written with at most three decimals and
// fifteen digits reads back from "%.3f" as itself.
double abscissaAsStored(std::string_view token, double value) {
    std::size_t digits = 0;
    std::size_t decimals = 0;
    bool fraction = false;
    for (char c : token) {
        if (c == '.')
            fraction = true;
        else if (isDigit(c)) {
            ++digits;
            decimals += fraction ? 1 : 0;
        }
    }
    if (digits <= 15 && decimals <= 3)
        return value == 0.0 ? 0.0 : value;
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

// One image's traces, point by point, as the store would hold them: from the frame's text when
// it has the common shape, otherwise from the frame read whole.
class FrameOnceSource::Trace {
public:
    Trace(andor::FrameText frame, const andor::TraceSettings& settings)
        : settings_(settings), text_(std::move(frame)) {
        const auto geometry = settings_.geometry;
        if (settings_.mode == andor::TraceMode::Column) {
            x_.resize(static_cast<std::size_t>(geometry.lines));
            for (int line = 1; line <= geometry.lines; ++line)
                x_[static_cast<std::size_t>(line - 1)] =
                    abscissaAsStored(text_->token(line, 1), text_->number(line, 1));
        } else {
            x_.resize(static_cast<std::size_t>(geometry.values));
            for (int i = 2; i <= geometry.values + 1; ++i)
                x_[static_cast<std::size_t>(i - 2)] = i;
        }
        y_.resize(x_.size());
        stamp_.assign(x_.size(), 0);
    }
    Trace(andor::ParsedFrame frame, const andor::TraceSettings& settings)
        : settings_(settings), parsed_(std::move(frame)) {}

    void select(int fibre) {
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

    std::size_t size() const { return size_; }

    double y(std::size_t k) const {
        if (stamp_[k] != current_) {
            int at = static_cast<int>(k) + 1;
            y_[k] = storedValue(settings_.mode == andor::TraceMode::Column
                                    ? text_->columnValue(settings_, at)
                                    : text_->number(settings_.traceIndex, at + 1));
            stamp_[k] = current_;
        }
        return y_[k];
    }

    std::optional<std::size_t> firstAtOrBeyond(double lambda) const {
        if (size_ == 0)
            return std::nullopt;
        for (const auto& [known, first] : firsts_)
            if (known == lambda)
                return first;
        auto first = eva::firstAtOrBeyond({x_, y_}, lambda);
        firsts_.emplace_back(lambda, first);
        return first;
    }

private:
    void materialize() {
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
        auto stream = andor::ImageStream::open(image.path);
        if (auto text = andor::FrameText::read(stream, settings_->geometry, settings_->frame)) {
            trace_ = std::make_unique<Trace>(std::move(*text), *settings_);
        } else {
            auto again = andor::ImageStream::open(image.path);
            trace_ = std::make_unique<Trace>(
                andor::ParsedFrame::read(again, settings_->geometry, settings_->frame), *settings_);
        }
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
