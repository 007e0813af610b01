#include "window/pass_announcer.h"

#include <QAccessible>
#include <QWidget>

namespace quill {

QString PassAnnouncer::describe(const QString& total, const QString& status) {
    QString text = total.isEmpty() ? QStringLiteral("合計なし") : QStringLiteral("合計 ") + total;
    if (!status.isEmpty()) text += QStringLiteral("。") + status;
    return text;
}

bool PassAnnouncer::announce(const QString& total, const QString& status) {
    const QString text = describe(total, status);
    if (sheet_->accessibleDescription() == text) return false;
    sheet_->setAccessibleDescription(text);
    return true;
}

} // namespace quill
