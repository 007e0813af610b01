#include "widgets/menu_commands.h"

#include "widgets/sheet_box.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace quill {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

QString keepNumberCharacters(QStringView line) {
    QString kept;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const bool pointBeforeDigit = c == u'.' && i + 1 < line.size() && isAsciiDigit(line[i + 1]);
        if (isAsciiDigit(c) || pointBeforeDigit) kept += c;
    }
    return kept;
}

QStringList splitPastedLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

QString numbersOnlySheet(const QString& clipboardText) {
    QStringList kept;
    for (const QString& line : splitPastedLines(cleanedForSheet(clipboardText)))
        kept.append(keepNumberCharacters(line));
    return kept.join(u'\n');
}

void pasteNumbersOnly(QPlainTextEdit* sheet, const QString& clipboardText) {
    QTextCursor cursor = sheet->textCursor();
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.insertText(numbersOnlySheet(clipboardText));
    cursor.endEditBlock();
    sheet->setTextCursor(cursor);
}

QString functionInsertText(const QString& caption) {
    const qsizetype bracket = caption.indexOf(u'(');
    if (bracket >= 0) return caption.left(bracket + 1);
    return caption.section(u' ', 0, 0, QString::SectionSkipEmpty) + u'(';
}

void replaceSelection(QPlainTextEdit* sheet, const QString& text) {
    QTextCursor cursor = sheet->textCursor();
    cursor.insertText(text);
    sheet->setTextCursor(cursor);
}

void wrapSelection(QPlainTextEdit* sheet, const QString& before, const QString& after) {
    QTextCursor cursor = sheet->textCursor();
    const int start = cursor.selectionStart();
    const int selected = cursor.selectionEnd() - start;
    cursor.beginEditBlock();
    cursor.setPosition(start);
    cursor.insertText(before);
    cursor.setPosition(cursor.position() + selected);
    cursor.insertText(after);
    cursor.endEditBlock();
    sheet->setTextCursor(cursor);
}

void insertFunctionCall(QPlainTextEdit* sheet, const QString& caption) {
    const QString text = functionInsertText(caption);
    if (sheet->textCursor().hasSelection())
        wrapSelection(sheet, text, QStringLiteral(")"));
    else
        replaceSelection(sheet, text);
}

} // namespace quill
