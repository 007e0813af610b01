#pragma once
// What assistive technology (a screen reader) sees of the results column: a read-only text
// whose lines are the result lines, with the selection and the caret.
class QObject;

namespace quill {

class ResultsColumn;

// Makes every results column answer as an accessible text; once is enough.
void installResultsColumnAccessibility();
// Tells listening assistive technology what changed: lines first..first+count-1, or from
// `first` to the end when count is -1. Costs nothing while none listens.
void announceTextChange(ResultsColumn* column, int first, int count);
void announceCaret(ResultsColumn* column);

} // namespace quill
