// The sheet and the results column scroll together, and the underline follows the caret's
// line. While a calculation pass runs both stay quiet: the pass aligns the column at its end.
#include "window/frmMain.h"

#include "widgets/results_column.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <algorithm>

namespace quill {

void frmMain::connectScrollSync() {
    connect(sheet_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        syncScroll(true);
        TextBoxCaretPosChange();
    });
    connect(results_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { syncScroll(false); });
    connect(sheet_, &QPlainTextEdit::cursorPositionChanged, this, &frmMain::TextBoxCaretPosChange);
    // Scrolling that follows the caret moves the scroll bars without their signals; the
    // boxes report it as a repaint with a vertical shift instead.
    connect(sheet_, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy == 0) return;
        syncScroll(true);
        TextBoxCaretPosChange();
    });
}

void frmMain::syncScroll(bool fromSheet) {
    // A box that cannot follow all the way (fewer lines) must not pull the other one back.
    if (calcBusy_ || syncingScroll_) return;
    QScrollBar* sheetBar = sheet_->verticalScrollBar();
    QScrollBar* resultsBar = results_->verticalScrollBar();
    QScrollBar* from = fromSheet ? sheetBar : resultsBar;
    QScrollBar* to = fromSheet ? resultsBar : sheetBar;
    if (from->value() == to->value()) return;
    syncingScroll_ = true;
    to->setValue(from->value());
    syncingScroll_ = false;
}

void frmMain::TextBoxCaretPosChange() {
    QTextCursor caret = sheet_->textCursor();
    caret.setPosition(caret.selectionStart());
    const QRect line = sheet_->cursorRect(caret);
    // cursorRect is in the viewport; the marker lives in the window's client area. The rect
    // spans the whole line pitch (leading included), so the first pixel below it is already
    // clear of the text, and a caret on the last visible line keeps its marker.
    const int top = sheet_->y() + sheet_->viewport()->y() + line.top() + line.height();
    // An underline kept shown for a caret line below the view stays on the sheet's last row
    // instead of lying over the total box and the keypad.
    underline_->move(underline_->x(), std::min(top, sheet_->y() + sheet_->height() - 1));
    // With the underline switched off, or stored as always shown, its visibility is left
    // alone. The setting is the one last applied (at start-up or by the settings dialog,
    // which writes it to the file too).
    if (look_.underline && !underlineAlwaysShown_) underline_->setVisible(top < sheet_->height());
}

} // namespace quill
