#include "speech/read_back.h"

#include "engine/convert.h"
#include "sheet/line_kind.h"
#include "sheet/phrase.h"
#include "speech/espeak_text.h"
#include "speech/japanese_number.h"

#include <algorithm>

namespace quill {

namespace {

constexpr std::u16string_view kError = u"エラー";
constexpr std::u16string_view kTotalWord = u"ごうけい";

std::u16string_view operatorWord(LineKind kind) {
    switch (kind) {
    case LineKind::Subtract: return u"ひく";
    case LineKind::Multiply: return u"かけ'る";
    case LineKind::Divide: return u"わる";
    // Integer division keeps only the whole part: said apart from わる.
    case LineKind::IntDivide: return u"せ'いすう/わる";
    default: return u"たす";
    }
}

// The display text without the grouping's separators: "1万2345" and "12,345" become "12345".
std::u16string ungrouped(std::u16string_view shown, Grouping grouping) {
    std::u16string_view separators;
    if (grouping == Grouping::Units) separators = u"万億兆";
    if (grouping == Grouping::Three || grouping == Grouping::Four) separators = u",";
    std::u16string plain;
    for (char16_t c : shown)
        if (separators.find(c) == std::u16string_view::npos) plain += c;
    return plain;
}

// A number's plain text form as results show it: [-]digits[.digits][E(+|-)digits], with a
// digit before the E and none of the forms only a typed number takes ("+7", "1.").
bool isPlainNumber(std::u16string_view t) {
    const speech::NumberText n = speech::splitNumber(t);
    return n.valid && t.front() != u'+' && !(n.hasPoint && n.fraction.empty());
}

std::u16string numberPhrase(std::u16string_view plain) {
    const bool negative = plain.front() == u'-';
    if (negative) plain.remove_prefix(1);
    std::u16string tag = u"<NUMK VAL=" + std::u16string(plain) + u">";
    return negative ? u"マイナス" + tag : tag;
}

// A text result is read as its own characters, without the marks of the speech notation.
// When the voice can read none of them (Latin letters, signs), it is read as the result
// phrase of a pass would read it ("+7" as seven); "" when that says nothing either.
std::u16string textPhrase(std::u16string_view shown) {
    if (shown == u"True") return u"しん";
    if (shown == u"False") return u"ぎ";
    std::u16string text;
    for (char16_t c : shown)
        if (std::u16string_view(u"<>;,/'。").find(c) == std::u16string_view::npos) text += c;
    if (!espeakText(text).empty()) return text;
    return resultPhrase(Value::text(std::u16string(shown)));
}

} // namespace

std::u16string spokenValue(std::u16string_view shown, Grouping grouping) {
    if (trimBlanks(shown).empty()) return std::u16string(kError);
    const std::u16string plain = ungrouped(shown, grouping);
    if (isPlainNumber(plain)) return numberPhrase(plain);
    const Value asText = Value::text(std::u16string(shown));
    if (readsAsDate(asText)) {
        std::u16string date = resultPhrase(asText);
        if (!date.empty()) return date;
    }
    return textPhrase(shown);
}

ShownTape shownTape(std::u16string_view sheet, Grouping grouping) {
    ShownTape tape;
    tape.grouping = grouping;
    PassResult pass = calculateSheet(sheet, grouping);
    std::u16string_view text = pass.sheetChanged ? std::u16string_view(pass.sheet) : sheet;
    if (pass.ran) {
        for (size_t start = 0;;) {
            const size_t nl = text.find(u'\n', start);
            std::u16string_view line = text.substr(start, nl - start);
            if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
            tape.lines.emplace_back(line);
            if (nl == std::u16string_view::npos) break;
            start = nl + 1;
        }
    }
    tape.results = std::move(pass.results);
    tape.total = std::move(pass.total);
    return tape;
}

std::vector<ReadBackPhrase> readBackPhrases(const ShownTape& tape, int first) {
    std::vector<ReadBackPhrase> phrases;
    const int count = int(tape.lines.size());
    bool entries = false; // a tape of blank lines reads nothing, as an empty one
    for (int i = 0; i < count; ++i) {
        std::u16string storage;
        const SheetLine line = classifyLine(tape.lines[size_t(i)], storage);
        if (line.kind == LineKind::Blank) continue;
        entries = true;
        if (i < first) continue;
        std::u16string_view shown =
            size_t(i) < tape.results.size() ? std::u16string_view(tape.results[size_t(i)]) : u"";
        std::u16string text;
        // The first line starts the total: its operator is not applied, and not read.
        if (i > 0) {
            if (shown.substr(0, line.prefix.size()) == line.prefix)
                shown.remove_prefix(line.prefix.size());
            text = std::u16string(operatorWord(line.kind)) + u",";
        }
        // A value that says nothing is not read: an operator word alone says nothing either.
        const std::u16string value = spokenValue(trimBlanks(shown), tape.grouping);
        if (!value.empty()) phrases.push_back({i, text + value});
    }
    const std::u16string total = spokenValue(tape.total, tape.grouping);
    if (entries && !total.empty())
        phrases.push_back({kTotalPhraseLine, std::u16string(kTotalWord) + u"," + total});
    return phrases;
}

int readBackStart(int caretLine, int lineCount) {
    if (caretLine < 0 || caretLine >= lineCount - 1) return 0;
    return caretLine;
}

} // namespace quill
