#include "engine/float_text.h"

namespace quill {

std::to_chars_result writeShortestScientific(char* first, char* last, double v) {
    return std::to_chars(first, last, v, std::chars_format::scientific);
}

std::to_chars_result writeScientific(char* first, char* last, double v, int precision) {
    return std::to_chars(first, last, v, std::chars_format::scientific, precision);
}

std::from_chars_result readDouble(const char* first, const char* last, double& v) {
    return std::from_chars(first, last, v);
}

std::to_chars_result writeShortestFixed(char* first, char* last, float v) {
    return std::to_chars(first, last, v, std::chars_format::fixed);
}

std::from_chars_result readFloat(const char* first, const char* last, float& v) {
    return std::from_chars(first, last, v);
}

} // namespace quill
