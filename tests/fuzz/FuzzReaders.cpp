// Runs one input through a reader with the checks every reader must pass.
#include "FuzzReaders.h"

#include "andor/AndorImage.h"
#include "andor/ImageFrame.h"
#include "andor/ImageSplit.h"
#include "eva/EvaExport.h"
#include "eva/LineRatio.h"
#include "reference/NistList.h"
#include "store/SpectrumStore.h"
#include "textio/AppError.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fuzzing {

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

template <typename F> void expectOnlyAppErrors(F&& run) {
    try {
        run();
    } catch (const textio::AppError&) {
    }
}

int byteAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

// The converters write their files here: what they write is not looked at, only that they
// survive writing it.
textio::TextWriter discardingWriter() {
    return textio::TextWriter::create("/dev/null");
}

// One store for every run: the readers overwrite what they read and never look at what was
// there before, and making a fresh store of some hundred kilobytes each time would slow the
// fuzzing down several times over.
store::SpectrumStore& reusedStore() {
    static const auto instance = std::make_unique<store::SpectrumStore>();
    return *instance;
}

} // namespace

void experimental(std::string_view bytes) {
    store::SpectrumStore* store = &reusedStore();
    store->nExp = 7;
    store->hayExp = false;
    expectOnlyAppErrors([&] {
        auto in = textio::TextReader::fromString(std::string(bytes));
        std::size_t lines = 0;
        auto outcome = store::readExperimental(in, *store, [&](const std::string&) { ++lines; });
        check(store->hayExp && store->nExp == outcome.records);
        check(lines == static_cast<std::size_t>(outcome.records));
    });
    check(store->nExp >= 0 && store->nExp <= store::experimentalCapacity);
}

void reference(std::string_view bytes) {
    store::SpectrumStore* store = &reusedStore();
    store->nRef = 0;
    expectOnlyAppErrors([&] {
        auto in = textio::TextReader::fromString(std::string(bytes));
        auto outcome = store::readReference(in, *store, [](const std::string&) {});
        check(store->nRef == outcome.records);
        for (int i = 1; i <= store->nRef; ++i)
            check(store->ionRef[i].size() <= 6);
    });
    check(store->nRef >= 0 && store->nRef <= store::referenceCapacity);
}

void cameraTrace(std::string_view bytes) {
    if (bytes.size() < 5)
        return;
    auto byte = [&](std::size_t i) { return byteAt(bytes, i); };
    andor::TraceSettings s;
    s.geometry = {1 + byte(0) % 8, 1 + byte(1) % 8};
    s.mode = byte(2) & 1 ? andor::TraceMode::Line : andor::TraceMode::Column;
    s.frame = static_cast<int>(byte(2) >> 1) % 5 - 1;
    s.traceIndex = static_cast<int>(byte(3)) % 12 - 1;
    s.halfWidth = 1 + byte(4) % 3;
    auto image = andor::ImageText::fromString(std::string(bytes.substr(5)));
    std::vector<std::string> streamed;
    std::string streamError;
    try {
        // Small blocks, so that tokens and line ends fall across block ends.
        auto stream = andor::ImageStream::overText(
            bytes.substr(5), {static_cast<std::size_t>(1 + byte(0) / 8 % 16)});
        andor::extractTrace(stream, s, [&](const andor::TracePoint& p) {
            streamed.push_back(andor::traceFileLine(s.mode, p) + andor::traceListLine(p));
        });
    } catch (const textio::AppError& e) {
        streamError = e.what();
    }
    std::optional<andor::ParsedFrame> frame;
    try {
        frame = andor::ParsedFrame::read(image.text(), s.geometry, s.frame);
    } catch (const textio::AppError&) {
        // The whole frame is parsed before any arithmetic, so the stream may stop earlier, at an
        // arithmetic error of a line before the bad token; it must stop all the same.
        check(!streamError.empty());
        return;
    }
    std::vector<std::string> fromFrame;
    try {
        frame->trace(s, [&](const andor::TracePoint& p) {
            fromFrame.push_back(andor::traceFileLine(s.mode, p) + andor::traceListLine(p));
        });
        check(streamError.empty());
    } catch (const textio::AppError& e) {
        check(streamError == e.what());
    }
    check(streamed == fromFrame);
}

void sequence(std::string_view bytes) {
    expectOnlyAppErrors([&] {
        auto in = textio::TextReader::fromString(std::string(bytes));
        auto read = eva::readSequence(in);
        check(read.entries.size() <= static_cast<std::size_t>(eva::sequenceCapacity));
    });
}

void fileList(std::string_view bytes) {
    expectOnlyAppErrors([&] {
        auto in = textio::TextReader::fromString(std::string(bytes));
        auto read = eva::readFileList(in);
        check(read.entries.size() <= static_cast<std::size_t>(eva::fileListCapacity));
    });
}

void lineList(std::string_view bytes) {
    expectOnlyAppErrors([&] {
        auto in = textio::TextReader::fromString(std::string(bytes));
        auto out = discardingWriter();
        int listed = 0;
        int written = reference::convertNistList(in, out, 0, [&](const std::string&) { ++listed; });
        check(written == listed);
    });
}

void evaExport(std::string_view bytes) {
    expectOnlyAppErrors([&] {
        auto in = textio::TextReader::fromString(std::string(bytes));
        auto out = discardingWriter();
        int listed = 0;
        int runs = eva::convertExport(in, out, 0.1, 500,
                                      [&](const eva::Run& run) { check(run.number == ++listed); });
        check(runs == listed);
    });
}

void imageFrame(std::string_view bytes) {
    if (bytes.size() < 3)
        return;
    andor::FrameRequest request{1 + static_cast<int>(byteAt(bytes, 0) % 8),
                                1 + static_cast<int>(byteAt(bytes, 1) % 8),
                                static_cast<int>(byteAt(bytes, 2) % 5) - 1};
    andor::ImageMatrix values;
    int imageMax = 0;
    int imageMin = 0;
    try {
        auto in = andor::ImageStream::overText(
            bytes.substr(3), {static_cast<std::size_t>(1 + byteAt(bytes, 0) / 8 % 16)});
        andor::readFrame(in, request, values, imageMax, imageMin);
    } catch (const textio::AppError&) {
        return;
    }
    check(values.lines() <= request.lines && values.columns() == request.columns);
    check(imageMin <= imageMax);
    expectOnlyAppErrors([&] {
        andor::PaintArea area{request.lines, request.columns, request.columns + 2, 10, 10};
        double scale = andor::levelScale(imageMax, imageMin);
        auto block = andor::paintBlock(values, area, imageMin, scale);
        check(block.colours.size() ==
              static_cast<std::size_t>(block.width) * static_cast<std::size_t>(block.height));
    });
}

void splitAndCrop(std::string_view bytes) {
    if (bytes.size() < 4)
        return;
    const int linesPerFrame = 1 + static_cast<int>(byteAt(bytes, 0) % 8);
    const andor::LineBand band{static_cast<int>(byteAt(bytes, 1) % 10),
                               static_cast<int>(byteAt(bytes, 2) % 10)};
    const int frame = static_cast<int>(byteAt(bytes, 3) % 5) - 1;
    const std::string text(bytes.substr(4));
    expectOnlyAppErrors([&] {
        auto in = textio::TextReader::fromString(text);
        int created = 0;
        int lastCount = 0;
        andor::splitFrames(
            in, linesPerFrame, band,
            [&](int k) {
                check(k == ++created);
                return discardingWriter();
            },
            [&](int count) {
                check(count == lastCount || count == lastCount + 1);
                lastCount = count;
            });
        check(created == 0 || lastCount == created + 1);
    });
    expectOnlyAppErrors([&] {
        auto in = textio::TextReader::fromString(text);
        auto out = discardingWriter();
        andor::cropFrame(in, linesPerFrame, frame, band, out);
        out.close();
    });
}

} // namespace fuzzing
