#pragma once
// The items of the five menus by name. Each value is the item's element index: the settings
// file, the menu help and the items' object names ("mnuViewItem_12") address items by these
// numbers, so a value never changes; new items take numbers not used yet.

namespace quill {

// The five menus of the menu bar, in menu-bar order.
enum class MenuId { Edit, Func, View, Opt, Help };

enum class EditItem {
    Copy = 0,
    Paste = 1,
    PasteNumbers = 2,
    SeparatorBeforeClear = 5,
    ClearLine = 6,
    Clear = 7,
    SeparatorBeforeFiles = 8,
    Open = 9,
    SaveAs = 10,
    Print = 11,
};

enum class FuncItem {
    Abs = 0,
    Acos = 2,
    AcosD = 3,
    Asin = 4,
    AsinD = 5,
    Atan = 6,
    AtanD = 7,
    Cos = 10,
    CosD = 11,
    Degrees = 15,
    Exp = 17,
    Int = 25,
    Len = 27,
    Log = 28,
    Max = 30,
    Min = 31,
    Radians = 35,
    Rnd = 36,
    Round = 37,
    Sgn = 40,
    Sin = 41,
    SinD = 42,
    Sqr = 45,
    Tan = 47,
    TanD = 48,
    SeparatorBeforeFormulas = 98,
    UserFormulas = 99,
};

enum class ViewItem {
    StatusBar = 0,
    Centre = 1,
    OnTop = 2,
    SeparatorBeforeSizes = 3,
    SizeSmall = 4,
    SizeMedium = 5,
    SeparatorBeforeMoveMode = 7,
    MoveMode = 8,
    ResetPositions = 9,
    HideKeypad = 10,
    SeparatorBeforeGrouping = 11,
    GroupThree = 12,
    GroupFour = 13,
    GroupUnits = 14,
    SeparatorBeforeReadBack = 15,
    ReadBack = 16,
};

enum class OptItem {
    RecalcOnEnter = 7,
    RecalcOnEveryInput = 8,
    SeparatorBeforeTalk = 10,
    Talk = 13,
    SeparatorBeforeSettings = 14,
    Settings = 15,
    UserFormulas = 17,
    SeparatorBeforeKeepSheet = 18,
    KeepSheet = 19,
    // The voice one step faster or slower, appended after the items of the original menu.
    Faster = 20,
    Slower = 21,
};

enum class HelpItem {
    ReadMe = 0,
    AuthorPage = 1,
    Version = 2,
    SeparatorBeforeUpdate = 98,
    Update = 99,
};

constexpr MenuId menuOf(EditItem) {
    return MenuId::Edit;
}
constexpr MenuId menuOf(FuncItem) {
    return MenuId::Func;
}
constexpr MenuId menuOf(ViewItem) {
    return MenuId::View;
}
constexpr MenuId menuOf(OptItem) {
    return MenuId::Opt;
}
constexpr MenuId menuOf(HelpItem) {
    return MenuId::Help;
}

// The element index of an item.
template <class Item> constexpr int itemIndex(Item item) {
    return static_cast<int>(item);
}

} // namespace quill
