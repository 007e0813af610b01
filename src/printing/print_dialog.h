#pragma once
// Printing through the desktop's print dialog. The dialog and the printer come from Qt's print
// support, which brings the desktop's printing libraries with it; they live in a module of
// their own (module/print_module.cpp, installed beside the program), loaded on the first
// print, so that starting the calculator does not load them.
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace quill {

struct PrintJob {
    QString docName;
    QString dialogTitle;
    // The PDF file "print to file" suggests; empty for Qt's own suggestion.
    QString pdfFileName;
    // Sets the printer up before the dialog shows it (page size, margins).
    std::function<void(QPagedPaintDevice&)> setUp;
    // Paints every page once the user has accepted the dialog; false when that failed.
    std::function<bool(QPagedPaintDevice&)> paint;
    // Called with the file's path after a successful print to a PDF file.
    std::function<void(const QString& pdfPath)> printedToPdf;
};

enum class PrintOutcome { Printed, Cancelled, Failed };

// Shows the print dialog over `parent` and prints when the user accepts. Failed also when the
// print module cannot be loaded.
PrintOutcome printThroughDialog(QWidget* parent, const PrintJob& job);

// The module's entry point and file, as the loader looks them up.
using PrintEntry = PrintOutcome (*)(QWidget* parent, const PrintJob& job);
inline constexpr char kPrintModuleFile[] = "libquillsum-print.so";
inline constexpr char kPrintEntryName[] = "quill_print_through_dialog";

// Test hook: the folder the module is loaded from instead of the program's own.
void setPrintModuleFolder(const QString& folder);

} // namespace quill
