#pragma once
// The keypad's buttons as data: which buttons exist in each array, their captions, tooltips,
// sizes and default places. Everything inside the keypad panel is measured in twips
// (15 twips to a pixel).
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace quill {

enum class KeyArray { Num, Op, Menu };

// The keys of each array by name. Each value is the key's element index: the stored position
// lists and the buttons' object names ("cmdOp_12") use these numbers, so a value never changes.
enum class NumKey {
    Digit0 = 0,
    Digit1 = 1,
    Digit2 = 2,
    Digit3 = 3,
    Digit4 = 4,
    Digit5 = 5,
    Digit6 = 6,
    Digit7 = 7,
    Digit8 = 8,
    Digit9 = 9,
    Point = 10,
    HexPrefix = 64,
    HexA = 65,
    HexB = 66,
    HexC = 67,
    HexD = 68,
    HexE = 69,
    HexF = 70,
};

enum class OpKey {
    Mod = 0,
    Equals = 1,
    Plus = 2,
    Minus = 3,
    Times = 4,
    Divide = 5,
    And = 6,
    Or = 7,
    Xor = 8,
    Power = 9,
    Not = 10,
    Sqrt = 11,
    Pi = 12,
    OpenBracket = 13,
    CloseBracket = 14,
    Left = 15,
    Right = 16,
    Up = 17,
    Down = 18,
};

enum class MenuKey {
    Back = 0,
    ClearLine = 1,
    Clear = 2,
    Home = 3,
    End = 4,
    NewLine = 5,
    Space = 6,
    Delete = 7,
    DateTime = 8,
    CopyResult = 10, // beside the total box, not on the keypad panel
};

constexpr KeyArray arrayOf(NumKey) {
    return KeyArray::Num;
}
constexpr KeyArray arrayOf(OpKey) {
    return KeyArray::Op;
}
constexpr KeyArray arrayOf(MenuKey) {
    return KeyArray::Menu;
}
template <class Key> constexpr int keyIndex(Key key) {
    return static_cast<int>(key);
}

// A key of any array, as the keypad's tables look keys up.
using KeyId = std::pair<KeyArray, int>;
template <class Key> constexpr KeyId keyId(Key key) {
    return {arrayOf(key), keyIndex(key)};
}

constexpr int twipsPerPixel = 15;

struct TwipPoint {
    float left = 0;
    float top = 0;
};

// Element indices of each array, in the order the saved position lists use.
const std::vector<int>& keyIndices(KeyArray array);

QString keyCaption(KeyArray array, int index);
template <class Key> QString keyCaption(Key key) {
    return keyCaption(arrayOf(key), keyIndex(key));
}
// Empty for buttons that have no tooltip.
QString keyTooltip(KeyArray array, int index);

// Button width in twips for the small (View item 4) or medium (item 5) size.
int keyWidth(KeyArray array, int index, bool medium);
int keyHeight(KeyArray array, int index);

// Whether the button takes part in the size change, the bold marking in move mode and the
// reset. "日時" does not.
bool keyIsResizable(KeyArray array, int index);

// The default top-left corner of a button for d = (width of cmdNum 0) - 615; nullopt for a
// button the reset does not move.
std::optional<TwipPoint> defaultKeyPosition(KeyArray array, int index, int d);
// Where the button stands before any reset: the small-size defaults, and "日時" beside "改行".
TwipPoint designKeyPosition(KeyArray array, int index);

} // namespace quill
