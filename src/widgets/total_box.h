#pragma once
// The total box (txt 1): a read-only line that never hides digits without a sign. A total
// wider than the box is drawn with "…" in place of its leading digits; the whole value stays
// the box's text (what the clipboard and a screen reader get) and is its tooltip.
#include <QLineEdit>

namespace quill {

class TotalBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TotalBox(QWidget* parent = nullptr);

    // The text as drawn: the whole text, or "…" and as many trailing characters as fit.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;
};

} // namespace quill
