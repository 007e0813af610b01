#include "keypad/keypad_panel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace quill {

KeypadPanel::KeypadPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pic0"));
    for (KeyArray array : {KeyArray::Num, KeyArray::Op, KeyArray::Menu}) {
        for (int index : keyIndices(array)) {
            auto* b = new KeypadButton(array, index, this);
            b->setObjectName(QStringLiteral("%1_%2")
                                 .arg(array == KeyArray::Num  ? "cmdNum"
                                      : array == KeyArray::Op ? "cmdOp"
                                                              : "cmdMenu")
                                 .arg(index));
            b->resizeTwips(float(keyWidth(array, index, false)), float(keyHeight(array, index)));
            b->moveTwips(designKeyPosition(array, index));
            buttons_.push_back(b);
        }
    }
    // "日時" has no action; it keeps its place in the saved lists but is not offered.
    button(MenuKey::DateTime)->hide();
    resize(width(), panelHeight);
}

int KeypadPanel::scaledHeight() const {
    return int(std::lround(panelHeight * scale_));
}

int KeypadPanel::keysRight() const {
    int right = 0;
    for (KeypadButton* b : buttons_)
        if (!b->isHidden()) right = std::max(right, b->geometry().right() + 1);
    return right;
}

void KeypadPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) followFont();
    QWidget::changeEvent(event);
}

// The scale is the ratio of line heights: the font's own against the same family at the
// default size.
void KeypadPanel::followFont() {
    QFont reference = font();
    reference.setPointSizeF(defaultFontPoints);
    const double ratio =
        double(QFontMetrics(font()).height()) / std::max(1, QFontMetrics(reference).height());
    scale_ = std::max(1.0, ratio);
    for (KeypadButton* b : buttons_) {
        // Styled buttons keep their own font: they take the panel's, bold in move mode.
        QFont f = font();
        f.setBold(b->font().bold());
        b->setFont(f);
        b->setScale(scale_);
    }
    resize(width(), scaledHeight());
}

KeypadButton* KeypadPanel::button(KeyArray array, int index) const {
    for (KeypadButton* b : buttons_)
        if (b->array() == array && b->index() == index) return b;
    return nullptr;
}

void KeypadPanel::setButtonSize(bool medium) {
    for (KeypadButton* b : buttons_) {
        if (!keyIsResizable(b->array(), b->index())) continue;
        b->resizeTwips(float(keyWidth(b->array(), b->index(), medium)), b->twipHeight());
    }
}

void KeypadPanel::resetPositions() {
    // d follows the width "0" has now, so a reset matches whatever size is chosen.
    const int d = int(std::nearbyint(button(NumKey::Digit0)->twipWidth())) - 615;
    for (KeypadButton* b : buttons_)
        if (auto p = defaultKeyPosition(b->array(), b->index(), d)) b->moveTwips(*p);
}

void KeypadPanel::pullInside(KeypadButton* b) const {
    TwipPoint p = b->twipPos();
    if (p.left < 0)
        p.left = 0;
    else if (p.left + b->twipWidth() > innerWidthTwips())
        p.left = innerWidthTwips() - b->twipWidth();
    if (p.top < 0)
        p.top = 0;
    else if (p.top + b->twipHeight() > innerHeightTwips())
        p.top = innerHeightTwips() - b->twipHeight();
    b->moveTwips(p);
}

void KeypadPanel::setMoveModeLook(bool on) {
    for (KeypadButton* b : buttons_) {
        if (!keyIsResizable(b->array(), b->index())) continue;
        QFont f = b->font();
        f.setBold(on);
        b->setFont(f);
    }
}

void KeypadPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        emit optionsMenuRequested(event->globalPosition().toPoint());
    QWidget::mousePressEvent(event);
}

void KeypadPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) emit clicked();
    QWidget::mouseReleaseEvent(event);
}

} // namespace quill
