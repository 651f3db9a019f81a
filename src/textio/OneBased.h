// Fixed-capacity arrays indexed from 1, as the data formats and windows count their records.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace textio {

template <typename T, int N> class OneBased {
    static_assert(N > 0);

public:
    static constexpr int capacity = N;

    T& operator[](int i) {
        assert(i >= 1 && i <= N);
        return items_[static_cast<std::size_t>(i - 1)];
    }
    const T& operator[](int i) const {
        assert(i >= 1 && i <= N);
        return items_[static_cast<std::size_t>(i - 1)];
    }
    T& at(int i) {
        check(i);
        return items_[static_cast<std::size_t>(i - 1)];
    }
    const T& at(int i) const {
        check(i);
        return items_[static_cast<std::size_t>(i - 1)];
    }
    static constexpr int size() { return N; }
    T* data() { return items_.data(); }
    const T* data() const { return items_.data(); }
    void fill(const T& value) { items_.fill(value); }

private:
    static void check(int i) {
        if (i < 1 || i > N)
            throw std::out_of_range("index " + std::to_string(i) + " outside 1.." +
                                    std::to_string(N));
    }
    std::array<T, static_cast<std::size_t>(N)> items_{};
};

} // namespace textio
