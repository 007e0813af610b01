#include "window/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quill {

QString getClipboardText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return {};
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasText()) return {};
    QString text = data->text();
    // Another program's block may be longer than its text: only the part before a NUL counts.
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0) text.truncate(nul);
    return text;
}

bool putClipboardText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setText(text);
    return clipboard->text() == text;
}

} // namespace quill
