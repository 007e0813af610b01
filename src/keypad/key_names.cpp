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

const std::map<KeyId, KeyWords>& words() {
    static const std::map<KeyId, KeyWords> table = {
        {keyId(NumKey::Point), {u"小数点", u".", true}},
        {keyId(NumKey::HexPrefix), {u"16進数の記号 &H", u"&H", true}},
        {keyId(OpKey::Mod), {u"余り", u"Mod", true}},
        {keyId(OpKey::Equals), {u"計算", u"Ctrl+Enter または F5"}},
        {keyId(OpKey::Plus), {u"加算", u"+", true}},
        {keyId(OpKey::Minus), {u"減算", u"-", true}},
        {keyId(OpKey::Times), {u"乗算", u"*", true}},
        {keyId(OpKey::Divide), {u"除算", u"/", true}},
        {keyId(OpKey::And), {u"論理積", u"And", true}},
        {keyId(OpKey::Or), {u"論理和", u"Or", true}},
        {keyId(OpKey::Xor), {u"排他的論理和", u"Xor", true}},
        {keyId(OpKey::Power), {u"べき乗", u"^", true}},
        {keyId(OpKey::Not), {u"否定", u"Not", true}},
        {keyId(OpKey::Sqrt), {u"平方根で囲む", u"Ctrl+Shift+R", false, true}},
        {keyId(OpKey::Pi), {u"円周率", u"Ctrl+Shift+P", false, true}},
        {keyId(OpKey::OpenBracket), {u"開きかっこ、選択をかっこで囲む", u"Ctrl+[", false, true}},
        {keyId(OpKey::CloseBracket), {u"閉じかっこ、選択をかっこで囲む", u"Ctrl+]", false, true}},
        {keyId(OpKey::Left), {u"カーソルを左へ", u"←"}},
        {keyId(OpKey::Right), {u"カーソルを右へ", u"→"}},
        {keyId(OpKey::Up), {u"カーソルを上の行へ", u"↑"}},
        {keyId(OpKey::Down), {u"カーソルを下の行へ", u"↓"}},
        {keyId(MenuKey::Back), {u"前の1文字を削除", u"BackSpace"}},
        {keyId(MenuKey::ClearLine), {u"カーソル行を削除", u"Ctrl+E"}},
        {keyId(MenuKey::Clear), {u"全消去", u"Esc"}},
        {keyId(MenuKey::Home), {u"行頭へ移動", u"Home"}},
        {keyId(MenuKey::End), {u"行末へ移動", u"End"}},
        {keyId(MenuKey::NewLine), {u"改行", u"Enter"}},
        {keyId(MenuKey::Space), {u"空白", u"Space"}},
        {keyId(MenuKey::Delete), {u"後ろの1文字を削除", u"Delete"}},
        {keyId(MenuKey::DateTime), {u"日時", u""}},
        {keyId(MenuKey::CopyResult), {u"結果をコピー", u"Ctrl+Shift+C", false, true}},
    };
    return table;
}

// Digits and hexadecimal digits share one pattern.
std::optional<KeyWords> digitWords(KeyArray array, int index) {
    if (array != KeyArray::Num) return std::nullopt;
    if (index >= keyIndex(NumKey::Digit0) && index <= keyIndex(NumKey::Digit9))
        return KeyWords{u"数字の", nullptr, true};
    if (index >= keyIndex(NumKey::HexA) && index <= keyIndex(NumKey::HexF))
        return KeyWords{u"16進数の", nullptr, true};
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
