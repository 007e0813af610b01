#pragma once
// The main window's status bar: a text too long for it ends in "…" instead of being cut off
// without a sign, and the whole text is the bar's tooltip.
#include <QStatusBar>

namespace quill {

class StatusLine : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    // The text as drawn: the message (or the busy text), elided to the room the bar has.
    QString shownText() const;
    // A text shown at once while a long step runs, without the message's change signal and
    // accessibility events: a screen reader hears only the step's outcome, and only when it
    // differs from the message before.
    void showBusy(const QString& text);
    void endBusy();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect messageRect() const;

    QString busy_;
};

} // namespace quill
