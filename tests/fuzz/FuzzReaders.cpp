// Runs one input through a reader with the checks every reader must pass.
#include "FuzzReaders.h"

#include "andor/AndorImage.h"
#include "eva/LineRatio.h"
#include "store/SpectrumStore.h"
#include "textio/AppError.h"

#include <cstdlib>
#include <memory>
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

} // namespace

void experimental(std::string_view bytes) {
    auto store = std::make_unique<store::SpectrumStore>();
    store->nExp = 7;
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
    auto store = std::make_unique<store::SpectrumStore>();
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
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
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
        andor::extractTrace(image.text(), s, [&](const andor::TracePoint& p) {
            streamed.push_back(andor::traceFileLine(s.mode, p) + andor::traceListLine(p));
        });
    } catch (const textio::AppError& e) {
        streamError = e.what();
    }
    std::vector<std::string> fromFrame;
    try {
        auto frame = andor::ParsedFrame::read(image.text(), s.geometry, s.frame);
        frame.trace(s, [&](const andor::TracePoint& p) {
            fromFrame.push_back(andor::traceFileLine(s.mode, p) + andor::traceListLine(p));
        });
        check(streamError.empty() && streamed == fromFrame);
    } catch (const textio::AppError& e) {
        check(streamError == e.what());
    }
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

} // namespace fuzzing
