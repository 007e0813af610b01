#pragma once
// Tells a screen reader about a new total without taking the focus from the sheet: the sheet,
// which keeps the focus while the user types, describes the last total and the status, and a
// changed description is an accessibility event that a screen reader reads out for the
// focused object. A pass that leaves both as they were changes nothing and sends nothing.
#include <QString>

class QWidget;

namespace quill {

class PassAnnouncer {
public:
    explicit PassAnnouncer(QWidget* sheet) : sheet_(sheet) {}

    // "合計 1,500。計算が完了しました"; "合計なし" for an empty total.
    static QString describe(const QString& total, const QString& status);
    // Returns whether the description changed (and an event went out).
    bool announce(const QString& total, const QString& status);

private:
    QWidget* sheet_;
};

} // namespace quill
