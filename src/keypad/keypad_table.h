#pragma once
// The keypad's buttons as data: which buttons exist in each array, their captions, tooltips,
// sizes and default places. Everything inside the keypad panel is measured in twips
// (15 twips to a pixel).
#include <QString>
#include <optional>
#include <vector>

namespace quill {

enum class KeyArray { Num, Op, Menu };

constexpr int twipsPerPixel = 15;

struct TwipPoint {
    float left = 0;
    float top = 0;
};

// Element indices of each array, in the order the saved position lists use.
const std::vector<int>& keyIndices(KeyArray array);

QString keyCaption(KeyArray array, int index);
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
