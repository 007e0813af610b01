#pragma once
// What emscripten's C++ library (libc++ of LLVM 14) lacks of C++20, added under the standard
// names so that the shared sources build unchanged. Included into every web source.
#include <version>

#if defined(__cplusplus) && !defined(__cpp_lib_bit_cast)
#include <cstring>
#include <type_traits>

namespace std {
template <class To, class From>
requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> &&
         is_trivially_copyable_v<From>) To bit_cast(const From& from)
noexcept {
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}
} // namespace std
#endif

#if defined(__cplusplus) && !defined(__cpp_lib_three_way_comparison)
#include <compare>
#include <string>

namespace std {
template <class C, class T, class A>
strong_ordering operator<=>(const basic_string<C, T, A>& a,
                            const basic_string<C, T, A>& b) noexcept {
    const int order = a.compare(b);
    return order < 0   ? strong_ordering::less
           : order > 0 ? strong_ordering::greater
                       : strong_ordering::equal;
}
} // namespace std
#endif
