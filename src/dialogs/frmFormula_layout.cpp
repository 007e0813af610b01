// The formula dialog's geometry: the list above the panel, the panel's rows in editing mode,
// the formula box filling the short panel in picking mode, and the picker's place under the
// caret. The design is in twips, 15 to a pixel.
#include "dialogs/frmFormula.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <algorithm>

namespace quill {

namespace {

constexpr int px(int twips) {
    return frmFormula::twipsToPixels(twips);
}

constexpr int kReasonRow = 420; // below the buttons: why an entry was refused
constexpr int kPanelEditing = 2175 + kReasonRow;
constexpr int kPanelPicking = 960;
constexpr int kBoxLeft = 720;
constexpr int kButtonHeight = 375;

} // namespace

void frmFormula::layoutControls() {
    const int w = width();
    const int h = height();
    if (mode_ == FormulaMode::Picking) {
        const int panel = px(kPanelPicking);
        panel_->setGeometry(0, std::max(0, h - panel), w, panel);
        text_->setGeometry(0, 0, panel_->width(), panel_->height());
        lv_->setGeometry(0, 0, w, std::max(0, h - panel));
    } else {
        const int panel = px(kPanelEditing);
        panel_->setGeometry(0, std::max(0, h - panel), w, panel);
        lv_->setGeometry(0, 0, w, std::max(0, h - panel - px(40)));
        const int boxWidth = std::max(0, w - px(kBoxLeft) - px(40));
        const int row = px(kButtonHeight);
        // The editing row: 追加, 編集, 削除, クリア from the left.
        const FormulaButton editing[] = {FormulaButton::Add, FormulaButton::Edit,
                                         FormulaButton::Delete, FormulaButton::Clear};
        for (int i = 0; i < 4; ++i)
            cmdMenu(editing[i])->setGeometry(px(120 + i * 1140), px(60), px(1080), row);
        labels_[0]->setGeometry(px(120), px(540), px(kBoxLeft - 160), px(300));
        name_->setGeometry(px(kBoxLeft), px(495), boxWidth, px(330));
        labels_[1]->setGeometry(px(120), px(930), px(kBoxLeft - 160), px(300));
        text_->setGeometry(px(kBoxLeft), px(900), boxWidth, px(855));
        // The closing row at the right: OK, 適用, キャンセル.
        const std::pair<FormulaButton, int> closing[] = {
            {FormulaButton::Ok, 3580}, {FormulaButton::Apply, 2360}, {FormulaButton::Cancel, 1140}};
        for (auto [b, left] : closing)
            cmdMenu(b)->setGeometry(w - px(left), px(1785), px(1100), row);
        reason_->setGeometry(px(120), px(2175), std::max(0, w - px(240)), px(kReasonRow - 30));
    }
    lv_->setColumnWidth(1, std::max(0, lv_->width() - lv_->columnWidth(0) - px(960)));
}

// Under the caret's line, 100 pixels to its left, kept on the caret's screen.
void frmFormula::placeUnderCaret() {
    if (!sheet_) return;
    const QRect caret = sheet_->cursorRect();
    const QPoint anchor = sheet_->viewport()->mapToGlobal(caret.bottomLeft());
    QPoint topLeft(anchor.x() - 100, anchor.y() + 1);
    QScreen* screen = QGuiApplication::screenAt(anchor);
    if (!screen) screen = sheet_->screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(),
                                std::max(area.left(), area.right() + 1 - width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(),
                                std::max(area.top(), area.bottom() + 1 - height())));
    }
    move(topLeft);
}

void frmFormula::colourFocus(int box, bool focused) {
    QWidget* w = box == 0 ? static_cast<QWidget*>(name_) : static_cast<QWidget*>(text_);
    QPalette p = w->palette();
    p.setColor(QPalette::Base, focused ? QColor(0xAA, 0xFF, 0xFF) : QColor(Qt::white));
    w->setPalette(p);
    QPalette lp = labels_[box]->palette();
    lp.setColor(QPalette::WindowText, focused ? QColor(Qt::blue) : QColor(Qt::black));
    labels_[box]->setPalette(lp);
}

void frmFormula::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layoutControls();
}

} // namespace quill
