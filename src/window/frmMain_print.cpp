// Printing the tape (the Edit menu's "印刷(&P)...", Ctrl+P) through the desktop's print dialog;
// "print to file" there gives a PDF. The layout and the painting are in printing/.
#include "document/sheet_document.h"
#include "printing/print_dialog.h"
#include "printing/printed_tape.h"
#include "printing/tape_painter.h"
#include "widgets/file_paths.h"
#include "window/frmMain.h"

#include <QPlainTextEdit>
#include <memory>

namespace quill {

void frmMain::printSheet() {
    PrintJob job;
    job.docName = title;
    job.dialogTitle = QStringLiteral("印刷");
    // "Print to file" suggests the open sheet file's name with .pdf, beside it.
    if (const auto& file = document().file()) {
        std::filesystem::path pdf = *file;
        job.pdfFileName = fromPath(pdf.replace_extension(".pdf"));
    }
    job.setUp = [](QPagedPaintDevice& printer) { setTapePageLayout(printer); };
    auto drawn = std::make_shared<QString>();
    job.paint = [this, drawn](QPagedPaintDevice& printer) {
        const PrintedTape tape = printedTape(sheet_->toPlainText(), grouping(), openFileName(),
                                             QDateTime::currentDateTime());
        return paintTape(tape, printer, drawn.get());
    };
    job.printedToPdf = [drawn](const QString& pdf) { mendPdfTextLayer(pdf, *drawn); };
    if (printThroughDialog(this, job) == PrintOutcome::Failed)
        setStatusText(QStringLiteral("印刷できませんでした"));
}

} // namespace quill
