#pragma once
// Doubles to and from text, in the forms std::to_chars and std::from_chars give (the desktop
// build uses them; a C++ library without their floating-point forms links another writer of
// the same texts).
#include <charconv>

namespace quill {

// Scientific form "d.ddde+xx" with the fewest digits that read back as the same double.
std::to_chars_result writeShortestScientific(char* first, char* last, double v);
// Scientific form with `precision` digits after the point, rounded to nearest.
std::to_chars_result writeScientific(char* first, char* last, double v, int precision);
// A decimal number (a minus sign allowed, no plus), as std::from_chars reads it.
std::from_chars_result readDouble(const char* first, const char* last, double& v);

// Fixed form "ddd.ddd" with the fewest digits that read back as the same float.
std::to_chars_result writeShortestFixed(char* first, char* last, float v);
std::from_chars_result readFloat(const char* first, const char* last, float& v);

} // namespace quill
