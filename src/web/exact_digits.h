#pragma once
// Decimal digits of a double by exact integer arithmetic, for the values a calculator meets
// (about 1e-5 to 1e36): the C library's formatting and reading work in software long double
// here, some ten times slower.
#include <cstdint>
#include <optional>

namespace quill {

// v rounded to `count` significant digits (1..17), ties to even: v ~ digits * 10^(exponent -
// count + 1), with 10^(count-1) <= digits < 10^count. `readsBack` tells whether the decimal
// reads back as v (the nearest double to it is v). nullopt when v is not positive and finite
// or lies outside the range the arithmetic covers. With `anyReadingBack`, a decimal of that
// many digits that reads back is preferred to the nearest one that does not (they differ only
// just above a power of two): what the shortest form needs.
struct ExactDigits {
    std::uint64_t digits;
    int exponent;
    bool readsBack;
};
std::optional<ExactDigits> exactDigits(double v, int count, bool anyReadingBack = false);

// "d.ddde+xx" of those digits and a closing NUL, as printf's "%.*e" writes them (room for
// kExactTextRoom characters); returns the length without the NUL.
inline constexpr int kExactTextRoom = 32;
int writeExactScientific(char* out, const ExactDigits& d, int count, bool negative);

} // namespace quill
