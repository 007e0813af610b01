#include "window/divider.h"

#include <QMouseEvent>
#include <cmath>

namespace quill {

Divider::Divider(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pic1"));
    setCursor(Qt::SizeHorCursor);
    setAutoFillBackground(true);
    setDragLook(false);
}

void Divider::setDragLook(bool dragging) {
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(dragging ? QPalette::Dark : QPalette::Button));
    setPalette(p);
}

void Divider::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit dragStarted();
}

void Divider::mouseMoveEvent(QMouseEvent* event) {
    // Halves round to even, as the window system of the original rounds.
    emit dragged(int(std::nearbyint(event->position().x())));
}

void Divider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit dragEnded();
}

} // namespace quill
