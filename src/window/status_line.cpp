#include "window/status_line.h"

#include <QPainter>
#include <QSizeGrip>
#include <QStyleOption>

namespace quill {

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& text) {
        setToolTip(text);
        update();
    });
}

// The room QStatusBar itself gives a message: from 6 pixels in to the size grip.
QRect StatusLine::messageRect() const {
    int right = width() - 12;
    const QSizeGrip* grip = findChild<QSizeGrip*>();
    if (grip && grip->isVisible()) right = grip->x();
    return QRect(6, 0, std::max(0, right - 6), height());
}

QString StatusLine::shownText() const {
    const QString text = busy_.isEmpty() ? currentMessage() : busy_;
    return fontMetrics().elidedText(text, Qt::ElideRight, messageRect().width());
}

void StatusLine::showBusy(const QString& text) {
    busy_ = text;
    repaint(); // the step runs before the next paint would
}

void StatusLine::endBusy() {
    busy_.clear();
    update();
}

void StatusLine::paintEvent(QPaintEvent* event) {
    if (currentMessage().isEmpty() && busy_.isEmpty()) {
        QStatusBar::paintEvent(event);
        return;
    }
    QPainter p(this);
    QStyleOption opt;
    opt.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &opt, &p, this);
    p.setPen(palette().windowText().color());
    p.drawText(messageRect(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
               shownText());
}

} // namespace quill
