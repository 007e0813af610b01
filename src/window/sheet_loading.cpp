#include "window/sheet_loading.h"

#include "document/sheet_file.h"
#include "widgets/sheet_box.h"
#include "widgets/undo_budget.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTextCursor>
#include <memory>

namespace quill {
namespace {

// About a twentieth of what the sheet holds at most: progress moves in visible steps.
constexpr qsizetype kSliceLength = 200'000;
constexpr int kShowAfterMs = 500;

} // namespace

void limitSheet(SheetBox* sheet, const std::function<void(const QString&)>& say) {
    sheet->setLimits(qsizetype(kWindowSheetLimits.lines), qsizetype(kWindowSheetLimits.characters));
    QObject::connect(
        sheet, &SheetBox::refused, sheet, [say](qsizetype lines, qsizetype characters) {
            say(QString::fromStdU16String(editTooLargeText(size_t(lines), size_t(characters))));
        });
}

QList<qsizetype> sliceEnds(const QString& text, qsizetype sliceLength) {
    QList<qsizetype> ends;
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype end = text.size();
        if (text.size() - from > sliceLength) {
            const qsizetype lineEnd = text.indexOf(u'\n', from + sliceLength - 1);
            if (lineEnd >= 0) end = lineEnd + 1;
        }
        ends << end;
        from = end;
    }
    return ends;
}

void replaceSheetText(QPlainTextEdit* sheet, const QString& text,
                      const std::function<void()>& afterwards) {
    const QList<qsizetype> ends = sliceEnds(text, kSliceLength);
    // The window cannot be used meanwhile; the dialog has nothing to cancel, the text goes in
    // whole or the sheet would hold part of a file.
    QProgressDialog progress(QStringLiteral("ファイルを読み込んでいます…"), QString(), 0,
                             int(ends.size()) + 1, sheet->window());
    progress.setWindowTitle(sheet->window()->windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kShowAfterMs);
    progress.setAutoReset(false);
    progress.setValue(0);

    if (auto* box = qobject_cast<SheetBox*>(sheet))
        box->undoBudget()->makeRoomFor(sheet->document()->characterCount() + text.size());
    QTextCursor cursor(sheet->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    qsizetype from = 0;
    for (qsizetype i = 0; i < ends.size(); ++i) {
        cursor.insertText(text.mid(from, ends[i] - from));
        from = ends[i];
        progress.setValue(int(i) + 1);
    }
    cursor.endEditBlock();
    sheet->setTextCursor(cursor);
    progress.setLabelText(QStringLiteral("計算しています…"));
    progress.setValue(int(ends.size()));
    if (afterwards) afterwards();
    progress.setValue(progress.maximum());
}

} // namespace quill
