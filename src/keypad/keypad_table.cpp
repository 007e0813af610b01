#include "keypad/keypad_table.h"

#include <QStringList>
#include <initializer_list>
#include <iterator>
#include <map>
#include <utility>

namespace quill {
using enum NumKey;
using enum OpKey;
using enum MenuKey;

namespace {

using Key = std::pair<KeyArray, int>;

template <class Name> constexpr Key key(Name name) {
    return {arrayOf(name), keyIndex(name)};
}

struct DefaultPlace {
    int base;      // left at the small size, twips
    int halfSteps; // how many halves of d are added to the base
    int top;
};

const std::map<Key, DefaultPlace>& defaultPlaces() {
    static const std::map<Key, DefaultPlace> places = {
        {key(MenuKey::Back), {120, 0, 0}},        {key(MenuKey::Delete), {960, 2, 0}},
        {key(MenuKey::ClearLine), {1920, 4, 0}},  {key(MenuKey::Clear), {2760, 6, 0}},
        {key(MenuKey::Home), {5280, 16, 0}},      {key(MenuKey::End), {5280, 16, 360}},
        {key(MenuKey::Space), {5280, 16, 720}},   {key(MenuKey::NewLine), {5280, 16, 1080}},
        {key(NumKey::Digit7), {120, 0, 480}},     {key(NumKey::Digit8), {720, 2, 480}},
        {key(NumKey::Digit9), {1320, 4, 480}},    {key(NumKey::Digit4), {120, 0, 840}},
        {key(NumKey::Digit5), {720, 2, 840}},     {key(NumKey::Digit6), {1320, 4, 840}},
        {key(NumKey::Digit1), {120, 0, 1200}},    {key(NumKey::Digit2), {720, 2, 1200}},
        {key(NumKey::Digit3), {1320, 4, 1200}},   {key(NumKey::Digit0), {120, 0, 1560}},
        {key(NumKey::Point), {720, 2, 1560}},     {key(OpKey::Equals), {1320, 4, 1560}},
        {key(NumKey::HexPrefix), {120, 0, 2040}}, {key(NumKey::HexA), {720, 2, 2040}},
        {key(NumKey::HexB), {1320, 4, 2040}},     {key(NumKey::HexC), {1920, 6, 2040}},
        {key(NumKey::HexD), {2520, 8, 2040}},     {key(NumKey::HexE), {3120, 10, 2040}},
        {key(NumKey::HexF), {3720, 12, 2040}},    {key(OpKey::Divide), {2040, 6, 480}},
        {key(OpKey::Times), {2040, 6, 840}},      {key(OpKey::Minus), {2040, 6, 1200}},
        {key(OpKey::Plus), {2040, 6, 1560}},      {key(OpKey::Mod), {2640, 8, 480}},
        {key(OpKey::Power), {2640, 8, 840}},      {key(OpKey::Sqrt), {2640, 8, 1200}},
        {key(OpKey::Pi), {2640, 8, 1560}},        {key(OpKey::And), {3240, 10, 480}},
        {key(OpKey::Or), {3240, 10, 840}},        {key(OpKey::Xor), {3240, 10, 1200}},
        {key(OpKey::Not), {3240, 10, 1560}},      {key(OpKey::OpenBracket), {3960, 12, 480}},
        {key(OpKey::Left), {3960, 12, 1200}},     {key(OpKey::CloseBracket), {4560, 14, 480}},
        {key(OpKey::Right), {4560, 14, 1200}},    {key(OpKey::Up), {4267, 13, 840}},
        {key(OpKey::Down), {4267, 13, 1560}},
    };
    return places;
}

const std::map<Key, QString>& tooltips() {
    static const std::map<Key, QString> tips = {
        {key(NumKey::HexPrefix), QStringLiteral("16進数を表す記号")},
        {key(OpKey::Mod), QStringLiteral("余り")},
        {key(OpKey::Plus), QStringLiteral("加算")},
        {key(OpKey::Minus), QStringLiteral("減算")},
        {key(OpKey::Times), QStringLiteral("乗算")},
        {key(OpKey::Divide), QStringLiteral("除算")},
        {key(OpKey::And), QStringLiteral("論理積")},
        {key(OpKey::Or), QStringLiteral("論理和")},
        {key(OpKey::Xor), QStringLiteral("排他的論理和")},
        {key(OpKey::Power), QStringLiteral("階乗")},
        {key(OpKey::Not), QStringLiteral("否定")},
        {key(OpKey::Sqrt), QStringLiteral("平方根。文字を選択した状態で押すと()で挟みます")},
        {key(OpKey::Pi), QStringLiteral("円周率")},
        {key(OpKey::OpenBracket), QStringLiteral("文字を選択した状態で押すと()で挟みます")},
        {key(OpKey::CloseBracket), QStringLiteral("文字を選択した状態で押すと()で挟みます")},
        {key(MenuKey::Back), QStringLiteral("1文字削除")},
        {key(MenuKey::Delete), QStringLiteral("1文字削除")},
        {key(MenuKey::ClearLine), QStringLiteral("カーソル行のみ削除")},
        {key(MenuKey::Clear), QStringLiteral("数値や計算命令をクリア(Escキー)")},
        {key(MenuKey::Home), QStringLiteral("カーソルの行頭移動")},
        {key(MenuKey::End), QStringLiteral("カーソルの行末移動")},
        {key(MenuKey::NewLine), QStringLiteral("改行")},
        {key(MenuKey::Space), QStringLiteral("スペース")},
        {key(MenuKey::DateTime), QStringLiteral("日時の")},
        {key(MenuKey::CopyResult), QStringLiteral("演算結果をコピー")},
    };
    return tips;
}

template <class Name> std::vector<int> indicesOf(std::initializer_list<Name> names) {
    std::vector<int> indices;
    for (Name name : names) indices.push_back(keyIndex(name));
    return indices;
}

const std::map<Key, QString>& captions() {
    static const std::map<Key, QString> texts = [] {
        std::map<Key, QString> t;
        for (int digit = 0; digit <= 9; ++digit)
            t[{KeyArray::Num, keyIndex(Digit0) + digit}] = QString::number(digit);
        t[key(Point)] = QStringLiteral(".");
        t[key(HexPrefix)] = QStringLiteral("＆H");
        for (int letter = 0; letter < 6; ++letter)
            t[{KeyArray::Num, keyIndex(HexA) + letter}] = QString(QChar(u'A' + letter));
        const char* const ops[] = {"Mod", "=", "+", "-", "*", "/", "And", "Or", "Xor", "^",
                                   "Not", "√", "π", "(", ")", "←", "→",   "↑",  "↓"};
        for (int i = 0; i < int(std::size(ops)); ++i)
            t[{KeyArray::Op, i}] = QString::fromUtf8(ops[i]);
        const char* const menu[] = {"Back", "CE",    "C",   "Home", "End",
                                    "改行", "Space", "Del", "日時"};
        for (int i = 0; i < int(std::size(menu)); ++i)
            t[{KeyArray::Menu, i}] = QString::fromUtf8(menu[i]);
        t[key(CopyResult)] = QStringLiteral(" A.");
        return t;
    }();
    return texts;
}

} // namespace

const std::vector<int>& keyIndices(KeyArray array) {
    static const std::vector<int> num =
        indicesOf({Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
                   Point, HexPrefix, HexA, HexB, HexC, HexD, HexE, HexF});
    static const std::vector<int> op =
        indicesOf({Mod, Equals, Plus, Minus, Times, Divide, And, Or, Xor, Power, Not, Sqrt, Pi,
                   OpenBracket, CloseBracket, Left, Right, Up, Down});
    static const std::vector<int> menu =
        indicesOf({Back, ClearLine, Clear, Home, End, NewLine, Space, Delete, DateTime});
    switch (array) {
    case KeyArray::Num: return num;
    case KeyArray::Op: return op;
    case KeyArray::Menu: return menu;
    }
    return menu;
}

QString keyCaption(KeyArray array, int index) {
    auto it = captions().find({array, index});
    return it == captions().end() ? QString() : it->second;
}

QString keyTooltip(KeyArray array, int index) {
    auto it = tooltips().find({array, index});
    return it == tooltips().end() ? QString() : it->second;
}

bool keyIsResizable(KeyArray array, int index) {
    const Key k{array, index};
    return k != key(DateTime) && k != key(CopyResult);
}

int keyWidth(KeyArray array, int index, bool medium) {
    if (!keyIsResizable(array, index)) return 855;
    if (array == KeyArray::Menu) return medium ? 1095 : 855;
    return medium ? 855 : 615;
}

int keyHeight(KeyArray array, int index) {
    return Key{array, index} == key(NewLine) ? 855 : 375;
}

std::optional<TwipPoint> defaultKeyPosition(KeyArray array, int index, int d) {
    auto it = defaultPlaces().find({array, index});
    if (it == defaultPlaces().end()) return std::nullopt;
    const DefaultPlace& p = it->second;
    // Half steps keep "↑" and "↓" exactly between the bracket keys at both sizes.
    return TwipPoint{static_cast<float>(p.base + p.halfSteps * d / 2.0), static_cast<float>(p.top)};
}

TwipPoint designKeyPosition(KeyArray array, int index) {
    if (auto p = defaultKeyPosition(array, index, 0)) return *p;
    if (Key{array, index} == key(DateTime)) return {5280, 1920};
    return {};
}

} // namespace quill
