#pragma once
// Putting a long text into the sheet: a file opened or dropped. The editor takes about a second
// for half a million lines, so the text goes in a slice at a time and a progress dialog shows
// how far it got once the whole takes longer than half a second.
#include <QString>
#include <functional>

class QPlainTextEdit;

namespace quill {

class SheetBox;

// Holds the sheet to the window's limits (kWindowSheetLimits): an edit past them is refused and
// `say` gets the status text that says so.
void limitSheet(SheetBox* sheet, const std::function<void(const QString&)>& say);

// Replaces the whole text of `sheet` by `text` as one undo step, then runs `afterwards` (the
// pass) while the progress dialog, when shown, still says the sheet is being calculated. The
// caret ends at the end of the text.
void replaceSheetText(QPlainTextEdit* sheet, const QString& text,
                      const std::function<void()>& afterwards);

// Where each slice of `text` ends: after a line break once `sliceLength` characters are in it,
// so that no slice cuts a line; the last slice ends at the text's end.
QList<qsizetype> sliceEnds(const QString& text, qsizetype sliceLength);

} // namespace quill
