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

struct DefaultPlace {
    int base;      // left at the small size, twips
    int halfSteps; // how many halves of d are added to the base
    int top;
};

const std::map<KeyId, DefaultPlace>& defaultPlaces() {
    static const std::map<KeyId, DefaultPlace> places = {
        {keyId(MenuKey::Back), {120, 0, 0}},        {keyId(MenuKey::Delete), {960, 2, 0}},
        {keyId(MenuKey::ClearLine), {1920, 4, 0}},  {keyId(MenuKey::Clear), {2760, 6, 0}},
        {keyId(MenuKey::Home), {5280, 16, 0}},      {keyId(MenuKey::End), {5280, 16, 360}},
        {keyId(MenuKey::Space), {5280, 16, 720}},   {keyId(MenuKey::NewLine), {5280, 16, 1080}},
        {keyId(NumKey::Digit7), {120, 0, 480}},     {keyId(NumKey::Digit8), {720, 2, 480}},
        {keyId(NumKey::Digit9), {1320, 4, 480}},    {keyId(NumKey::Digit4), {120, 0, 840}},
        {keyId(NumKey::Digit5), {720, 2, 840}},     {keyId(NumKey::Digit6), {1320, 4, 840}},
        {keyId(NumKey::Digit1), {120, 0, 1200}},    {keyId(NumKey::Digit2), {720, 2, 1200}},
        {keyId(NumKey::Digit3), {1320, 4, 1200}},   {keyId(NumKey::Digit0), {120, 0, 1560}},
        {keyId(NumKey::Point), {720, 2, 1560}},     {keyId(OpKey::Equals), {1320, 4, 1560}},
        {keyId(NumKey::HexPrefix), {120, 0, 2040}}, {keyId(NumKey::HexA), {720, 2, 2040}},
        {keyId(NumKey::HexB), {1320, 4, 2040}},     {keyId(NumKey::HexC), {1920, 6, 2040}},
        {keyId(NumKey::HexD), {2520, 8, 2040}},     {keyId(NumKey::HexE), {3120, 10, 2040}},
        {keyId(NumKey::HexF), {3720, 12, 2040}},    {keyId(OpKey::Divide), {2040, 6, 480}},
        {keyId(OpKey::Times), {2040, 6, 840}},      {keyId(OpKey::Minus), {2040, 6, 1200}},
        {keyId(OpKey::Plus), {2040, 6, 1560}},      {keyId(OpKey::Mod), {2640, 8, 480}},
        {keyId(OpKey::Power), {2640, 8, 840}},      {keyId(OpKey::Sqrt), {2640, 8, 1200}},
        {keyId(OpKey::Pi), {2640, 8, 1560}},        {keyId(OpKey::And), {3240, 10, 480}},
        {keyId(OpKey::Or), {3240, 10, 840}},        {keyId(OpKey::Xor), {3240, 10, 1200}},
        {keyId(OpKey::Not), {3240, 10, 1560}},      {keyId(OpKey::OpenBracket), {3960, 12, 480}},
        {keyId(OpKey::Left), {3960, 12, 1200}},     {keyId(OpKey::CloseBracket), {4560, 14, 480}},
        {keyId(OpKey::Right), {4560, 14, 1200}},    {keyId(OpKey::Up), {4267, 13, 840}},
        {keyId(OpKey::Down), {4267, 13, 1560}},
    };
    return places;
}

const std::map<KeyId, QString>& tooltips() {
    static const std::map<KeyId, QString> tips = {
        {keyId(NumKey::HexPrefix), QStringLiteral("16進数を表す記号")},
        {keyId(OpKey::Mod), QStringLiteral("余り")},
        {keyId(OpKey::Plus), QStringLiteral("加算")},
        {keyId(OpKey::Minus), QStringLiteral("減算")},
        {keyId(OpKey::Times), QStringLiteral("乗算")},
        {keyId(OpKey::Divide), QStringLiteral("除算")},
        {keyId(OpKey::And), QStringLiteral("論理積")},
        {keyId(OpKey::Or), QStringLiteral("論理和")},
        {keyId(OpKey::Xor), QStringLiteral("排他的論理和")},
        {keyId(OpKey::Power), QStringLiteral("階乗")},
        {keyId(OpKey::Not), QStringLiteral("否定")},
        {keyId(OpKey::Sqrt), QStringLiteral("平方根。文字を選択した状態で押すと()で挟みます")},
        {keyId(OpKey::Pi), QStringLiteral("円周率")},
        {keyId(OpKey::OpenBracket), QStringLiteral("文字を選択した状態で押すと()で挟みます")},
        {keyId(OpKey::CloseBracket), QStringLiteral("文字を選択した状態で押すと()で挟みます")},
        {keyId(MenuKey::Back), QStringLiteral("1文字削除")},
        {keyId(MenuKey::Delete), QStringLiteral("1文字削除")},
        {keyId(MenuKey::ClearLine), QStringLiteral("カーソル行のみ削除")},
        {keyId(MenuKey::Clear), QStringLiteral("数値や計算命令をクリア(Escキー)")},
        {keyId(MenuKey::Home), QStringLiteral("カーソルの行頭移動")},
        {keyId(MenuKey::End), QStringLiteral("カーソルの行末移動")},
        {keyId(MenuKey::NewLine), QStringLiteral("改行")},
        {keyId(MenuKey::Space), QStringLiteral("スペース")},
        {keyId(MenuKey::DateTime), QStringLiteral("日時の")},
        {keyId(MenuKey::CopyResult), QStringLiteral("演算結果をコピー")},
    };
    return tips;
}

template <class Name> std::vector<int> indicesOf(std::initializer_list<Name> names) {
    std::vector<int> indices;
    for (Name name : names) indices.push_back(keyIndex(name));
    return indices;
}

const std::map<KeyId, QString>& captions() {
    static const std::map<KeyId, QString> texts = [] {
        std::map<KeyId, QString> t;
        for (int digit = 0; digit <= 9; ++digit)
            t[{KeyArray::Num, keyIndex(Digit0) + digit}] = QString::number(digit);
        t[keyId(Point)] = QStringLiteral(".");
        t[keyId(HexPrefix)] = QStringLiteral("＆H");
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
        t[keyId(CopyResult)] = QStringLiteral(" A.");
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
    const KeyId k{array, index};
    return k != keyId(DateTime) && k != keyId(CopyResult);
}

int keyWidth(KeyArray array, int index, bool medium) {
    if (!keyIsResizable(array, index)) return 855;
    if (array == KeyArray::Menu) return medium ? 1095 : 855;
    return medium ? 855 : 615;
}

int keyHeight(KeyArray array, int index) {
    return KeyId{array, index} == keyId(NewLine) ? 855 : 375;
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
    if (KeyId{array, index} == keyId(DateTime)) return {5280, 1920};
    return {};
}

} // namespace quill
