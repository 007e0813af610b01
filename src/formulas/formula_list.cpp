#include "formulas/formula_list.h"

#include "settings/settings.h"

namespace quill {
namespace {

constexpr std::u16string_view kRecordSeparator = u"|\\n|";
constexpr std::u16string_view kNameSeparator = u"||";
constexpr std::u16string_view kStoredBreak = u"|r|";

std::vector<std::u16string_view> splitAt(std::u16string_view text, std::u16string_view sep) {
    std::vector<std::u16string_view> parts;
    for (;;) {
        const auto at = text.find(sep);
        parts.push_back(text.substr(0, at));
        if (at == std::u16string_view::npos) return parts;
        text.remove_prefix(at + sep.size());
    }
}

std::u16string restoreBreaks(std::u16string_view stored) {
    std::u16string text;
    const auto pieces = splitAt(stored, kStoredBreak);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) text += u"\r\n";
        text += pieces[i];
    }
    return text;
}

// Every line break (CR LF, or a lone LF or CR from the text box) is stored as "|r|" and reads
// back as CR LF.
std::u16string storeBreaks(std::u16string_view text) {
    std::u16string stored;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        if (text[i] == u'\r' || text[i] == u'\n') {
            stored += kStoredBreak;
        } else {
            stored += text[i];
        }
    }
    return stored;
}

} // namespace

std::vector<Formula> parseFormulaList(std::u16string_view stored, bool cut) {
    std::vector<Formula> formulas;
    if (stored.empty()) return formulas;
    auto records = splitAt(stored, kRecordSeparator);
    if (cut) records.pop_back();
    for (const auto record : records) {
        const auto parts = splitAt(record, kNameSeparator);
        if (parts.size() < 2) continue;
        formulas.push_back({std::u16string(parts[0]), restoreBreaks(parts[1])});
    }
    return formulas;
}

std::u16string serializeFormulaList(const std::vector<Formula>& formulas) {
    std::u16string stored;
    for (const auto& formula : formulas) {
        if (!stored.empty()) stored += kRecordSeparator;
        stored += storeBreaks(formula.name);
        stored += kNameSeparator;
        stored += storeBreaks(formula.text);
    }
    return stored;
}

std::vector<Formula> readFormulas(const Settings& settings) {
    const ProfileText stored = settings.formulaText();
    return parseFormulaList(stored.text, stored.cut);
}

bool writeFormulas(Settings& settings, const std::vector<Formula>& formulas) {
    if (formulas.empty()) return settings.removeFormula();
    return settings.setFormulaText(serializeFormulaList(formulas));
}

} // namespace quill
