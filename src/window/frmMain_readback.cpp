// Reading the tape back (the View menu's "読み上げ(&Y)", F6): a calculation pass, then the
// lines from the caret's line read one by one with the line shown in both boxes, then the
// total. The phrases come from speech/read_back; the window only shows where the reading is.
#include "widgets/results_column.h"
#include "window/frmMain.h"
#include "window/read_back_player.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace quill {

namespace {

std::vector<std::u16string> linesOf(const QString& text) {
    std::vector<std::u16string> lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(line.toStdU16String());
    return lines;
}

} // namespace

void frmMain::connectReadBack() {
    readBack_ = new ReadBackPlayer(speech_, this);
    connect(readBack_, &ReadBackPlayer::lineReached, this, &frmMain::showReadBackLine);
    connect(readBack_, &ReadBackPlayer::finished, this, [this] {
        results_->clearSelection();
        totalBox_->deselect();
    });
    // Enabled whenever there is a speech engine, whether or not talking is on; the engine may
    // become ready after the window has loaded.
    QAction* item = menus_.view.at(ViewItem::ReadBack);
    item->setEnabled(speech_.available());
    speech_.whenReady([this, item] {
        QMetaObject::invokeMethod(
            this, [this, item] { item->setEnabled(speech_.available()); }, Qt::QueuedConnection);
    });
    connect(menus_.view.menu, &QMenu::aboutToShow, this,
            [this, item] { item->setEnabled(speech_.available()); });
}

bool frmMain::readingBack() const {
    return readBack_ && readBack_->reading();
}

void frmMain::toggleReadBack() {
    if (readingBack()) {
        readBack_->stop();
        return;
    }
    if (!speech_.available() || moveMode()) return;
    calculate();
    const QString sheet = sheet_->toPlainText();
    if (sheet.isEmpty()) return;
    ShownTape tape;
    tape.lines = linesOf(sheet);
    tape.results = results_->lines();
    tape.total = totalBox_->text().toStdU16String();
    tape.grouping = grouping();
    const int first = readBackStart(sheet_->textCursor().blockNumber(), sheet_->blockCount());
    readBack_->start(readBackPhrases(tape, first));
}

void frmMain::stopReadBack() {
    if (readBack_) readBack_->stop();
}

// The line being read: the sheet's caret at its start and the line selected in the results
// column; the total's phrase selects the total box.
void frmMain::showReadBackLine(int line) {
    if (line == kTotalPhraseLine) {
        results_->clearSelection();
        totalBox_->selectAll();
        return;
    }
    const QTextBlock block = sheet_->document()->findBlockByNumber(line);
    if (block.isValid()) {
        sheet_->setTextCursor(QTextCursor(block));
        sheet_->ensureCursorVisible();
    }
    if (line < results_->lineCount()) results_->selectLine(line);
}

} // namespace quill
