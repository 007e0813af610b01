#pragma once
// The text of the saved keypad button positions (settings NumPos, MenuPos, OpPos): pairs of
// left and top in twips inside the keypad panel, "left,top", joined by "|". The pairs follow
// the buttons' element order: NumPos holds cmdNum 0-10 then 64-70, MenuPos cmdMenu 0-8,
// OpPos cmdOp 0-18. Widths are not stored; they follow the button size.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

struct ButtonPosition {
    float left = 0; // twips
    float top = 0;  // twips
};

constexpr std::size_t kNumPosCount = 18;
constexpr std::size_t kMenuPosCount = 9;
constexpr std::size_t kOpPosCount = 19;

// The cmdNum element of pair k of NumPos: k for k <= 10, k + 53 above.
int numPosElement(std::size_t pair);

struct PositionListRead {
    // The pairs before the first bad one, in order; start-up applies exactly these.
    std::vector<ButtonPosition> positions;
    // Pair number (from 0) of the first bad pair: one without ",", a part that is not a
    // number, or a pair beyond `buttonCount`. Start-up stops there.
    std::optional<std::size_t> badPair;
};

// Reads a stored list for an array of `buttonCount` buttons. An empty text moves nothing.
PositionListRead readPositionList(std::u16string_view text, std::size_t buttonCount);

// The stored text of a list; numbers in their shortest single-precision form ("1200",
// "1234.5").
std::u16string formatPositionList(const std::vector<ButtonPosition>& positions);

// The shortest decimal form of a single-precision value, never with an exponent
// (the form the settings file uses for numbers).
std::u16string formatSingle(float value);

} // namespace quill
