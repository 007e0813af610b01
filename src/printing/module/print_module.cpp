// The print module (libquillsum-print.so): the desktop's print dialog and the printer. Loaded
// by printing/print_dialog.cpp on the first print.
#include "printing/print_dialog.h"

#include <QPrintDialog>
#include <QPrinter>
#include <type_traits>

extern "C" __attribute__((visibility("default"))) quill::PrintOutcome
quill_print_through_dialog(QWidget* parent, const quill::PrintJob& job) {
    using quill::PrintOutcome;
    QPrinter printer(QPrinter::HighResolution);
    if (job.setUp) job.setUp(printer);
    printer.setDocName(job.docName);
    if (!job.pdfFileName.isEmpty()) {
        printer.setOutputFileName(job.pdfFileName);
        printer.setOutputFormat(QPrinter::NativeFormat);
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(job.dialogTitle);
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;
    if (!job.paint || !job.paint(printer)) return PrintOutcome::Failed;
    if (job.printedToPdf && printer.outputFormat() == QPrinter::PdfFormat &&
        !printer.outputFileName().isEmpty())
        job.printedToPdf(printer.outputFileName());
    return PrintOutcome::Printed;
}

// The entry point keeps the type the loader looks it up by.
static_assert(std::is_same_v<decltype(&quill_print_through_dialog), quill::PrintEntry>);
