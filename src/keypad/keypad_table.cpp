#include "keypad/keypad_table.h"

#include <QStringList>
#include <map>
#include <utility>

namespace quill {
namespace {

using Key = std::pair<KeyArray, int>;

struct DefaultPlace {
    int base;      // left at the small size, twips
    int halfSteps; // how many halves of d are added to the base
    int top;
};

const std::map<Key, DefaultPlace>& defaultPlaces() {
    using enum KeyArray;
    static const std::map<Key, DefaultPlace> places = {
        {{Menu, 0}, {120, 0, 0}},     {{Menu, 7}, {960, 2, 0}},      {{Menu, 1}, {1920, 4, 0}},
        {{Menu, 2}, {2760, 6, 0}},    {{Menu, 3}, {5280, 16, 0}},    {{Menu, 4}, {5280, 16, 360}},
        {{Menu, 6}, {5280, 16, 720}}, {{Menu, 5}, {5280, 16, 1080}}, {{Num, 7}, {120, 0, 480}},
        {{Num, 8}, {720, 2, 480}},    {{Num, 9}, {1320, 4, 480}},    {{Num, 4}, {120, 0, 840}},
        {{Num, 5}, {720, 2, 840}},    {{Num, 6}, {1320, 4, 840}},    {{Num, 1}, {120, 0, 1200}},
        {{Num, 2}, {720, 2, 1200}},   {{Num, 3}, {1320, 4, 1200}},   {{Num, 0}, {120, 0, 1560}},
        {{Num, 10}, {720, 2, 1560}},  {{Op, 1}, {1320, 4, 1560}},    {{Num, 64}, {120, 0, 2040}},
        {{Num, 65}, {720, 2, 2040}},  {{Num, 66}, {1320, 4, 2040}},  {{Num, 67}, {1920, 6, 2040}},
        {{Num, 68}, {2520, 8, 2040}}, {{Num, 69}, {3120, 10, 2040}}, {{Num, 70}, {3720, 12, 2040}},
        {{Op, 5}, {2040, 6, 480}},    {{Op, 4}, {2040, 6, 840}},     {{Op, 3}, {2040, 6, 1200}},
        {{Op, 2}, {2040, 6, 1560}},   {{Op, 0}, {2640, 8, 480}},     {{Op, 9}, {2640, 8, 840}},
        {{Op, 11}, {2640, 8, 1200}},  {{Op, 12}, {2640, 8, 1560}},   {{Op, 6}, {3240, 10, 480}},
        {{Op, 7}, {3240, 10, 840}},   {{Op, 8}, {3240, 10, 1200}},   {{Op, 10}, {3240, 10, 1560}},
        {{Op, 13}, {3960, 12, 480}},  {{Op, 15}, {3960, 12, 1200}},  {{Op, 14}, {4560, 14, 480}},
        {{Op, 16}, {4560, 14, 1200}}, {{Op, 17}, {4267, 13, 840}},   {{Op, 18}, {4267, 13, 1560}},
    };
    return places;
}

const std::map<Key, QString>& tooltips() {
    using enum KeyArray;
    static const std::map<Key, QString> tips = {
        {{Num, 64}, QStringLiteral("16進数を表す記号")},
        {{Op, 0}, QStringLiteral("余り")},
        {{Op, 2}, QStringLiteral("加算")},
        {{Op, 3}, QStringLiteral("減算")},
        {{Op, 4}, QStringLiteral("乗算")},
        {{Op, 5}, QStringLiteral("除算")},
        {{Op, 6}, QStringLiteral("論理積")},
        {{Op, 7}, QStringLiteral("論理和")},
        {{Op, 8}, QStringLiteral("排他的論理和")},
        {{Op, 9}, QStringLiteral("階乗")},
        {{Op, 10}, QStringLiteral("否定")},
        {{Op, 11}, QStringLiteral("平方根。文字を選択した状態で押すと()で挟みます")},
        {{Op, 12}, QStringLiteral("円周率")},
        {{Op, 13}, QStringLiteral("文字を選択した状態で押すと()で挟みます")},
        {{Op, 14}, QStringLiteral("文字を選択した状態で押すと()で挟みます")},
        {{Menu, 0}, QStringLiteral("1文字削除")},
        {{Menu, 7}, QStringLiteral("1文字削除")},
        {{Menu, 1}, QStringLiteral("カーソル行のみ削除")},
        {{Menu, 2}, QStringLiteral("数値や計算命令をクリア(Escキー)")},
        {{Menu, 3}, QStringLiteral("カーソルの行頭移動")},
        {{Menu, 4}, QStringLiteral("カーソルの行末移動")},
        {{Menu, 5}, QStringLiteral("改行")},
        {{Menu, 6}, QStringLiteral("スペース")},
        {{Menu, 8}, QStringLiteral("日時の")},
        {{Menu, 10}, QStringLiteral("演算結果をコピー")},
    };
    return tips;
}

} // namespace

const std::vector<int>& keyIndices(KeyArray array) {
    static const std::vector<int> num = {0, 1,  2,  3,  4,  5,  6,  7,  8,
                                         9, 10, 64, 65, 66, 67, 68, 69, 70};
    static const std::vector<int> op = {0,  1,  2,  3,  4,  5,  6,  7,  8, 9,
                                        10, 11, 12, 13, 14, 15, 16, 17, 18};
    static const std::vector<int> menu = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    switch (array) {
    case KeyArray::Num: return num;
    case KeyArray::Op: return op;
    case KeyArray::Menu: return menu;
    }
    return menu;
}

QString keyCaption(KeyArray array, int index) {
    static const QStringList op = {"Mod", "=", "+", "-", "*", "/", "And", "Or", "Xor", "^",
                                   "Not", "√", "π", "(", ")", "←", "→",   "↑",  "↓"};
    static const QStringList menu = {"Back", "CE",    "C",   "Home", "End",
                                     "改行", "Space", "Del", "日時"};
    switch (array) {
    case KeyArray::Num:
        if (index >= 0 && index <= 9) return QString::number(index);
        if (index == 10) return QStringLiteral(".");
        if (index == 64) return QStringLiteral("＆H");
        if (index >= 65 && index <= 70) return QString(QChar(u'A' + (index - 65)));
        return {};
    case KeyArray::Op: return index >= 0 && index < op.size() ? op[index] : QString();
    case KeyArray::Menu:
        if (index == 10) return QStringLiteral(" A.");
        return index >= 0 && index < menu.size() ? menu[index] : QString();
    }
    return {};
}

QString keyTooltip(KeyArray array, int index) {
    auto it = tooltips().find({array, index});
    return it == tooltips().end() ? QString() : it->second;
}

bool keyIsResizable(KeyArray array, int index) {
    return !(array == KeyArray::Menu && (index == 8 || index == 10));
}

int keyWidth(KeyArray array, int index, bool medium) {
    if (!keyIsResizable(array, index)) return 855;
    if (array == KeyArray::Menu) return medium ? 1095 : 855;
    return medium ? 855 : 615;
}

int keyHeight(KeyArray array, int index) {
    return array == KeyArray::Menu && index == 5 ? 855 : 375;
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
    if (array == KeyArray::Menu && index == 8) return {5280, 1920};
    return {};
}

} // namespace quill
