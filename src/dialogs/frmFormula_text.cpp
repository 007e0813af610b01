// Formula texts in the sheet and in the settings file: line breaks, the "[sel]" gap, and what
// the stored form can keep.
#include "dialogs/frmFormula.h"

#include "engine/jtext.h"
#include "settings/file_access.h"
#include "settings/profile.h"
#include "settings/text_encoding.h"
#include "widgets/menu_commands.h"
#include "widgets/sheet_box.h"

#include <QPlainTextEdit>

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
    const QString text = cleanedForSheet(sheetLineBreaks(formulaText));
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

// The encoding the settings file is read and written back in; a file that is not read (missing,
// refused) is written as a new UTF-8 file.
StoredEncoding settingsFileEncoding(const std::filesystem::path& iniFile) {
    const FileRead read = readRegularFile(iniFile, kSettingsFileLimit);
    if (read.status != FileReadStatus::Read) return StoredEncoding::Utf8;
    return detectEncoding(read.bytes) == TextEncoding::Cp932 ? StoredEncoding::Cp932
                                                             : StoredEncoding::Utf8;
}

namespace {

enum class StoreProblem { None, Separator, NotInCodePage, TooLong };

StoreProblem storeProblem(const std::vector<Formula>& formulas, StoredEncoding encoding) {
    const std::u16string stored = serializeFormulaList(formulas);
    std::size_t bytes = 0;
    if (encoding == StoredEncoding::Cp932) {
        const std::optional<std::string> cp932 = encodeCp932Strict(stored);
        // A character the file cannot hold would come back as "?".
        if (!cp932) return StoreProblem::NotInCodePage;
        bytes = cp932->size();
    } else {
        bytes = toUtf8(stored).size();
    }
    if (parseFormulaList(stored) != formulas) return StoreProblem::Separator;
    return bytes <= kProfileTextLimit ? StoreProblem::None : StoreProblem::TooLong;
}

// The first character (a surrogate pair stays whole) without a code page 932 code.
QString firstUnencodable(const std::vector<Formula>& formulas) {
    for (const Formula& f : formulas) {
        for (const std::u16string* text : {&f.name, &f.text}) {
            for (std::size_t i = 0; i < text->size();) {
                const std::size_t n = QChar::isHighSurrogate((*text)[i]) ? 2 : 1;
                const std::u16string_view c = std::u16string_view(*text).substr(i, n);
                if (!encodeCp932Strict(c)) return QString::fromUtf16(c.data(), qsizetype(c.size()));
                i += n;
            }
        }
    }
    return {};
}

} // namespace

bool storable(const std::vector<Formula>& formulas, StoredEncoding encoding) {
    return storeProblem(formulas, encoding) == StoreProblem::None;
}

QString whyNotStorable(const std::vector<Formula>& formulas, StoredEncoding encoding) {
    switch (storeProblem(formulas, encoding)) {
    case StoreProblem::None: break;
    case StoreProblem::Separator:
        return QStringLiteral("式名と式には「||」「|\\n|」「|r|」を使えません");
    case StoreProblem::NotInCodePage:
        return QStringLiteral("「%1」は設定ファイル（Shift_JIS）に保存できない文字です")
            .arg(firstUnencodable(formulas));
    case StoreProblem::TooLong:
        return QStringLiteral("式の一覧が長すぎて保存できません（%1バイトまで）")
            .arg(kProfileTextLimit);
    }
    return {};
}

} // namespace quill
