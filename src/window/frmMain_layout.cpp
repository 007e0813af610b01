// The layout pass, the divider drag, the status bar and keypad toggles of the main window.
#include "keypad/keypad_panel.h"
#include "widgets/results_column.h"
#include "window/divider.h"
#include "window/frmMain.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace quill {

namespace {
constexpr int kMinPane = 75; // neither side of the divider gets narrower than this
constexpr int kKeypadGap = 5;
} // namespace

void frmMain::placeKeypadPanel() {
    // Docked to the bottom over the full width; the status bar lies below the client area.
    keypad_->setGeometry(0, client_->height() - keypad_->scaledHeight(), client_->width(),
                         keypad_->scaledHeight());
}

void frmMain::Form_Resize() {
    const int W = client_->width();
    const int H = client_->height();
    const int Ht = totalBox_->height();
    const bool keypadShown = !keypad_->isHidden();
    const int V = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sheet_);
    keepUsableSize(Ht, keypadShown);

    const int h = H - Ht - (keypadShown ? keypad_->scaledHeight() + kKeypadGap : 0);
    if (h < 0) return;
    int x = W - rightPaneWidth_;
    if (x < kMinPane) x = kMinPane;
    // With a window narrower than twice the minimum, the results column keeps its 75 pixels.
    if (W - kMinPane < x) x = W - kMinPane;
    if (x < 0) return;
    divider_->setGeometry(x, 0, 1, h);
    // The sheet's own scroll bar lies under the results column, and the results column's
    // beyond the right edge: the two boxes scroll together and show no bar.
    sheet_->setGeometry(0, 0, x + V + 1, h);
    if (x - 24 < 0) return;
    totalBox_->setGeometry(24, h, x - 24, Ht);
    copyButton_->setGeometry(0, h, 24, Ht);
    results_->setGeometry(x + 1, 0, W - x + V, h);
    if (x - 2 < 0) return;
    underline_->setGeometry(1, underline_->y(), x - 2, 1);
    TextBoxCaretPosChange();
}

// The window never gets so small that the keypad covers the sheet and the menu bar: its
// client area keeps one sheet line, the total box and the keypad (the main window adds the
// menu bar and the status bar). It stays wide enough for every keypad button and every menu
// title, so that none is cut off or hidden behind the menu bar's "»".
void frmMain::keepUsableSize(int totalBoxHeight, bool keypadShown) {
    const int sheetLine = sheet_->fontMetrics().lineSpacing() + 2 * sheet_->frameWidth() +
                          2 * int(std::ceil(sheet_->document()->documentMargin()));
    const int keypad = keypadShown ? keypad_->scaledHeight() + kKeypadGap : 0;
    const int minWidth = std::max(
        {2 * kMinPane, keypadShown ? keypad_->keysRight() : 0, menuBar()->sizeHint().width()});
    client_->setMinimumSize(minWidth, sheetLine + totalBoxHeight + keypad);
}

void frmMain::setRightPaneWidth(int pixels) {
    rightPaneWidth_ = pixels;
    Form_Resize();
}

void frmMain::setDividerDragging(bool on) {
    dividerDragging_ = on;
    divider_->setDragLook(on);
}

void frmMain::dragDivider(int mouseX) {
    if (!dividerDragging_) return;
    const int W = client_->width();
    int x = divider_->x() + mouseX;
    if (x < kMinPane) x = kMinPane;
    if (W - kMinPane < x) x = W - kMinPane;
    divider_->move(x, divider_->y());
    rightPaneWidth_ = W - x;
    Form_Resize();
}

void frmMain::showStatusBar(bool on) {
    statusBar()->setVisible(on);
    // The client area changes height; its resize re-docks the keypad and lays out again.
    placeKeypadPanel();
    Form_Resize();
}

void frmMain::hideKeypad(bool hidden) {
    keypad_->setHidden(hidden);
    Form_Resize();
}

} // namespace quill
