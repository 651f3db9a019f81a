#include "PlainLine.h"

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace andor {

namespace {

// The bits set among the low 16, without the library call std::popcount becomes on processors
// the compiler may not assume have an instruction for it.
std::size_t bitCount16(std::uint32_t x) {
    x = x - ((x >> 1) & 0x5555U);
    x = (x & 0x3333U) + ((x >> 2) & 0x3333U);
    x = (x + (x >> 4)) & 0x0F0FU;
    return (x + (x >> 8)) & 0x1FU;
}

// The check as a state machine over the line's bytes, so that a run of 16 bytes holding only
// digits and separators can be taken in one step and any other byte one at a time.
class LineCheck {
public:
    explicit LineCheck(std::size_t count) : count_(count) {}

    bool failed() const { return failed_; }

    void take(char c) {
        if (isSeparator(c)) {
            endToken();
            return;
        }
        if (length_ == 0) {
            startToken();
            if (c == '+' || c == '-') {
                length_ = 1;
                return;
            }
        }
        if (isDigit(c))
            digits_ = true;
        else if (c == '.' && !dot_)
            dot_ = true;
        else
            failed_ = true;
        if (++length_ > plainTokenLength)
            failed_ = true;
    }

    // Sixteen bytes, byte i being bit i of the masks, every one a digit or a separator.
    void takeDigitsAndSeparators(std::uint32_t digit) {
        constexpr std::uint32_t all = 0xFFFF;
        std::uint32_t carry = length_ > 0 ? 1U : 0U;
        std::uint32_t starts = digit & ~((digit << 1) | carry) & all;
        if (length_ > 0) {
            auto leading = static_cast<std::size_t>(std::countr_one(digit));
            if (leading > 0)
                digits_ = true;
            length_ += leading;
            if (length_ > plainTokenLength)
                failed_ = true;
            if (digit == all)
                return; // the token goes on into the next bytes
            endToken();
        }
        found_ += bitCount16(starts);
        if (found_ > count_)
            failed_ = true;
        auto trailing = static_cast<std::size_t>(std::countl_one(digit << 16));
        if (trailing > 0) { // a token reaching the last byte goes on
            length_ = trailing;
            digits_ = true;
            dot_ = false;
        }
    }

    bool finish() {
        endToken();
        return !failed_ && found_ == count_;
    }

private:
    void startToken() {
        if (++found_ > count_)
            failed_ = true;
        digits_ = false;
        dot_ = false;
    }

    void endToken() {
        if (length_ > 0 && !digits_)
            failed_ = true;
        length_ = 0;
    }

    std::size_t count_;
    std::size_t found_ = 0;
    std::size_t length_ = 0; // of the token being read; 0 between tokens
    bool digits_ = false;
    bool dot_ = false;
    bool failed_ = false;
};

} // namespace

bool isPlainLine(std::string_view line, std::size_t count) {
    LineCheck check(count);
    const char* p = line.data();
    const char* end = p + line.size();
#if defined(__SSE2__)
    const __m128i belowZero = _mm_set1_epi8('0' - 1);
    const __m128i aboveNine = _mm_set1_epi8('9' + 1);
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    while (end - p >= 16 && !check.failed()) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i digits =
            _mm_and_si128(_mm_cmpgt_epi8(bytes, belowZero), _mm_cmplt_epi8(bytes, aboveNine));
        __m128i separators = _mm_or_si128(_mm_cmpeq_epi8(bytes, blank), _mm_cmpeq_epi8(bytes, tab));
        auto digit = static_cast<std::uint32_t>(_mm_movemask_epi8(digits));
        auto separator = static_cast<std::uint32_t>(_mm_movemask_epi8(separators));
        if ((digit | separator) == 0xFFFF) {
            check.takeDigitsAndSeparators(digit);
        } else {
            for (const char* q = p; q < p + 16; ++q)
                check.take(*q);
        }
        p += 16;
    }
#endif
    for (; p < end && !check.failed(); ++p)
        check.take(*p);
    return check.finish();
}

const char* startOfNumber(const char* p, const char* end, std::size_t k) {
    // A number starts where a character above the blank follows a blank, a tab or the start.
    bool afterNumber = false;
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(' ');
    while (end - p >= 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        auto inNumber = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpgt_epi8(bytes, blank)));
        std::uint32_t starts = inNumber & ~((inNumber << 1) | (afterNumber ? 1U : 0U)) & 0xFFFFU;
        std::size_t here = bitCount16(starts);
        if (here >= k) {
            for (; k > 1; --k)
                starts &= starts - 1;
            return p + std::countr_zero(starts);
        }
        k -= here;
        afterNumber = (inNumber & 0x8000U) != 0;
        p += 16;
    }
#endif
    for (; p < end; ++p) {
        bool inNumber = static_cast<signed char>(*p) > ' ';
        if (inNumber && !afterNumber && --k == 0)
            return p;
        afterNumber = inNumber;
    }
    return end;
}

} // namespace andor
