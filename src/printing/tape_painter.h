#pragma once
// Paints a printed tape page by page on a printer or into a PDF file: the same drawing serves
// both.
#include "printing/printed_tape.h"

#include <QString>

class QPagedPaintDevice;

namespace quill {

// Paints every page of the tape on `device`, starting a new page for each after the first.
// False when the device cannot be painted on (a file that cannot be written, a printer that
// failed).
// `drawn`, when given, receives every text painted.
bool paintTape(const PrintedTape& tape, QPagedPaintDevice& device, QString* drawn = nullptr);

// Gives the text layer of a PDF file that paintTape() made (through a printer printing to a
// file) the characters `drawn`, as writeTapePdf() does; false when it could not be rewritten.
bool mendPdfTextLayer(const QString& path, const QString& drawn);

// The tape as an A4 PDF file; false when the file cannot be written.
[[nodiscard]] bool writeTapePdf(const PrintedTape& tape, const QString& path);

// The page layout the tape is made for: A4, 15 mm margins.
void setTapePageLayout(QPagedPaintDevice& device);

} // namespace quill
