#include "widgets/total_box.h"

#include <QPainter>
#include <QStyleOptionFrame>

namespace quill {

TotalBox::TotalBox(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        setToolTip(text);
        update();
    });
}

QRect TotalBox::textRect() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    // The room QLineEdit itself leaves for text inside its frame (its horizontal margin is 2).
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .adjusted(2, 0, -2, 0);
}

QString TotalBox::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideLeft, textRect().width());
}

void TotalBox::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    // A selection or a text that fits: the line edit draws itself.
    if (shown == text() || hasSelectedText()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter p(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &p, this);
    p.setPen(palette().color(QPalette::Text));
    p.drawText(textRect(), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

} // namespace quill
