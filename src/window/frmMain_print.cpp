// Printing the tape (the Edit menu's "印刷(&P)...", Ctrl+P) through the desktop's print dialog;
// "print to file" there gives a PDF. The layout and the painting are in printing/.
#include "printing/printed_tape.h"
#include "printing/tape_painter.h"
#include "window/frmMain.h"

#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>

namespace quill {

void frmMain::printSheet() {
    QPrinter printer(QPrinter::HighResolution);
    setTapePageLayout(printer);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted) return;
    const PrintedTape tape = printedTape(sheet_->toPlainText(), grouping(), openFileName(),
                                         QDateTime::currentDateTime());
    if (!paintTape(tape, printer)) setStatusText(QStringLiteral("印刷できませんでした"));
}

} // namespace quill
