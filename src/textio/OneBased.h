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

namespace textio {

// A table indexed (i, k) from 1 in both directions, i = 1..N and k = 1..M.
template <typename T, int N, int M> class OneBased2D {
    static_assert(N > 0 && M > 0);

public:
    T& operator()(int i, int k) {
        assert(i >= 1 && i <= N && k >= 1 && k <= M);
        return items_[index(i, k)];
    }
    const T& operator()(int i, int k) const {
        assert(i >= 1 && i <= N && k >= 1 && k <= M);
        return items_[index(i, k)];
    }
    T& at(int i, int k) {
        check(i, k);
        return items_[index(i, k)];
    }
    const T& at(int i, int k) const {
        check(i, k);
        return items_[index(i, k)];
    }

private:
    static std::size_t index(int i, int k) {
        return static_cast<std::size_t>(k - 1) * N + static_cast<std::size_t>(i - 1);
    }
    static void check(int i, int k) {
        if (i < 1 || i > N || k < 1 || k > M)
            throw std::out_of_range("index (" + std::to_string(i) + ", " + std::to_string(k) +
                                    ") outside the table");
    }
    std::array<T, static_cast<std::size_t>(N) * M> items_{};
};

} // namespace textio
