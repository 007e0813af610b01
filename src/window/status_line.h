#pragma once
// The main window's status bar: a text too long for it ends in "…" instead of being cut off
// without a sign, and the whole text is the bar's tooltip.
#include <QStatusBar>

namespace quill {

class StatusLine : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    // The text as drawn: the message, elided to the room the bar has for it.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect messageRect() const;
};

} // namespace quill
