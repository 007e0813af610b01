#include "keypad/key_names.h"

#include <map>
#include <utility>

namespace quill {
namespace {

struct KeyWords {
    const char16_t* name;
    const char16_t* key;      // the keyboard key, or the text typed for the same effect
    bool typed = false;       // key is text to type rather than a key name
    bool ownShortcut = false; // key is installed by the keypad as a shortcut
};

using Key = std::pair<KeyArray, int>;

const std::map<Key, KeyWords>& words() {
    using enum KeyArray;
    static const std::map<Key, KeyWords> table = {
        {{Num, 10}, {u"小数点", u".", true}},
        {{Num, 64}, {u"16進数の記号 &H", u"&H", true}},
        {{Op, 0}, {u"余り", u"Mod", true}},
        {{Op, 1}, {u"計算", u"Ctrl+Enter または F5"}},
        {{Op, 2}, {u"加算", u"+", true}},
        {{Op, 3}, {u"減算", u"-", true}},
        {{Op, 4}, {u"乗算", u"*", true}},
        {{Op, 5}, {u"除算", u"/", true}},
        {{Op, 6}, {u"論理積", u"And", true}},
        {{Op, 7}, {u"論理和", u"Or", true}},
        {{Op, 8}, {u"排他的論理和", u"Xor", true}},
        {{Op, 9}, {u"べき乗", u"^", true}},
        {{Op, 10}, {u"否定", u"Not", true}},
        {{Op, 11}, {u"平方根で囲む", u"Ctrl+Shift+R", false, true}},
        {{Op, 12}, {u"円周率", u"Ctrl+Shift+P", false, true}},
        {{Op, 13}, {u"開きかっこ、選択をかっこで囲む", u"Ctrl+[", false, true}},
        {{Op, 14}, {u"閉じかっこ、選択をかっこで囲む", u"Ctrl+]", false, true}},
        {{Op, 15}, {u"カーソルを左へ", u"←"}},
        {{Op, 16}, {u"カーソルを右へ", u"→"}},
        {{Op, 17}, {u"カーソルを上の行へ", u"↑"}},
        {{Op, 18}, {u"カーソルを下の行へ", u"↓"}},
        {{Menu, 0}, {u"前の1文字を削除", u"BackSpace"}},
        {{Menu, 1}, {u"カーソル行を削除", u"Ctrl+E"}},
        {{Menu, 2}, {u"全消去", u"Esc"}},
        {{Menu, 3}, {u"行頭へ移動", u"Home"}},
        {{Menu, 4}, {u"行末へ移動", u"End"}},
        {{Menu, 5}, {u"改行", u"Enter"}},
        {{Menu, 6}, {u"空白", u"Space"}},
        {{Menu, 7}, {u"後ろの1文字を削除", u"Delete"}},
        {{Menu, 8}, {u"日時", u""}},
        {{Menu, 10}, {u"結果をコピー", u"Ctrl+Shift+C", false, true}},
    };
    return table;
}

// Digits and hexadecimal digits share one pattern.
std::optional<KeyWords> digitWords(KeyArray array, int index) {
    if (array != KeyArray::Num) return std::nullopt;
    if (index >= 0 && index <= 9) return KeyWords{u"数字の", nullptr, true};
    if (index >= 65 && index <= 70) return KeyWords{u"16進数の", nullptr, true};
    return std::nullopt;
}

QString caption(KeyArray array, int index) {
    // The copy-result caption carries a leading blank for its looks; it is no part of a name.
    return keyCaption(array, index).trimmed();
}

} // namespace

QString keyAccessibleName(KeyArray array, int index) {
    if (auto d = digitWords(array, index))
        return QString::fromUtf16(d->name) + QLatin1Char(' ') + caption(array, index);
    auto it = words().find({array, index});
    return it == words().end() ? caption(array, index) : QString::fromUtf16(it->second.name);
}

QString keyAccessibleDescription(KeyArray array, int index) {
    const QString shown = QStringLiteral("表示「%1」").arg(caption(array, index));
    if (digitWords(array, index)) return shown + QStringLiteral("、キー ") + caption(array, index);
    auto it = words().find({array, index});
    if (it == words().end() || !*it->second.key) return shown;
    const QString key = QString::fromUtf16(it->second.key);
    return shown + (it->second.typed ? QStringLiteral("、入力 ") : QStringLiteral("、キー ")) + key;
}

QKeySequence keyOwnShortcut(KeyArray array, int index) {
    auto it = words().find({array, index});
    if (it == words().end() || !it->second.ownShortcut) return {};
    return QKeySequence(QString::fromUtf16(it->second.key));
}

} // namespace quill
