#pragma once
// Checked integer arithmetic for values that come from outside the program
// (registry, screen metrics): an overflow raises RangeError instead of wrapping.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "base/error.h"

namespace quorvex {

template <typename T>
T CheckedAdd(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T r{};
    if (__builtin_add_overflow(a, b, &r)) throw RangeError("Arithmetic overflow");
    return r;
}

template <typename T>
T CheckedSub(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T r{};
    if (__builtin_sub_overflow(a, b, &r)) throw RangeError("Arithmetic overflow");
    return r;
}

template <typename T>
T CheckedMul(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T r{};
    if (__builtin_mul_overflow(a, b, &r)) throw RangeError("Arithmetic overflow");
    return r;
}

template <typename T>
T CheckedDiv(T a, T b) {
    static_assert(std::is_integral_v<T>);
    if (b == 0) throw RangeError("Division by zero");
    if constexpr (std::is_signed_v<T>) {
        if (a == std::numeric_limits<T>::min() && b == T(-1)) throw RangeError("Arithmetic overflow");
    }
    return a / b;
}

// Narrowing conversion that refuses values the target type cannot hold.
template <typename To, typename From>
To CheckedCast(From v) {
    static_assert(std::is_integral_v<To> && std::is_integral_v<From>);
    To r = static_cast<To>(v);
    if (static_cast<From>(r) != v || ((r < To{}) != (v < From{}))) throw RangeError("Range check error");
    return r;
}

// Narrowing conversion that gives the nearest value the target type holds.
template <typename To, typename From>
To SaturatingCast(From v) {
    static_assert(std::is_integral_v<To> && std::is_integral_v<From> && sizeof(From) >= sizeof(To) &&
                  std::is_signed_v<To> && std::is_signed_v<From>);
    if (v < static_cast<From>(std::numeric_limits<To>::min())) return std::numeric_limits<To>::min();
    if (v > static_cast<From>(std::numeric_limits<To>::max())) return std::numeric_limits<To>::max();
    return static_cast<To>(v);
}

// Index check for containers: throws instead of reading out of bounds.
inline std::size_t CheckedIndex(std::size_t index, std::size_t size) {
    if (index >= size) throw RangeError("List index out of bounds");
    return index;
}

}  // namespace quorvex
