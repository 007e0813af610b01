// Formula texts in the sheet and in the settings file: line breaks, the "[sel]" gap, and what
// the stored form can keep.
#include "dialogs/frmFormula.h"

#include "engine/jtext.h"
#include "settings/profile.h"
#include "widgets/menu_commands.h"

#include <QPlainTextEdit>
#include <fstream>
#include <iterator>

namespace quill {

QString formulaLineBreaks(QString text) {
    return sheetLineBreaks(std::move(text)).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

QString sheetLineBreaks(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

void insertFormula(QPlainTextEdit* sheet, const QString& formulaText) {
    if (!sheet) return;
    static const QString gap = QStringLiteral("[sel]");
    const QString text = sheetLineBreaks(formulaText);
    const qsizetype at = text.indexOf(gap, 0, Qt::CaseInsensitive);
    if (at < 0) {
        replaceSelection(sheet, text);
        return;
    }
    const QString before = text.left(at);
    const QString after = text.mid(at + gap.size());
    if (sheet->textCursor().hasSelection())
        wrapSelection(sheet, before, after);
    else
        replaceSelection(sheet, before + after);
}

StoredEncoding settingsFileEncoding(const std::filesystem::path& iniFile) {
    std::ifstream in(iniFile, std::ios::binary);
    if (!in) return StoredEncoding::Utf8;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return isValidUtf8(bytes) ? StoredEncoding::Utf8 : StoredEncoding::Cp932;
}

bool storable(const std::vector<Formula>& formulas, StoredEncoding encoding) {
    const std::u16string stored = serializeFormulaList(formulas);
    std::size_t bytes = 0;
    if (encoding == StoredEncoding::Cp932) {
        const std::optional<std::string> cp932 = encodeCp932Strict(stored);
        if (!cp932) return false; // a character the file cannot hold would come back as "?"
        bytes = cp932->size();
    } else {
        bytes = toUtf8(stored).size();
    }
    return bytes <= kProfileTextLimit && parseFormulaList(stored) == formulas;
}

} // namespace quill
