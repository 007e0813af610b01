#pragma once
// What goes on paper: a header (the program's title, the open file's name, the date and time),
// each sheet line beside its result, and the total.
#include "sheet/calculation.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace quill {

struct PrintedTape {
    QString title;       // the program's title
    QString fileName;    // the open file's name; empty when no file is open
    QDateTime printedAt; // shown in the header
    QStringList lines;   // the sheet's lines
    QStringList results; // one result per sheet line, as the results column shows it
    QString total;       // as the total box shows it
};

// The tape of a sheet: one calculation pass in the given grouping, without a window.
PrintedTape printedTape(const QString& sheet, Grouping grouping, const QString& fileName,
                        const QDateTime& printedAt);

// "2026/12/07 09:05": the header's date and time, in the program's own date format.
QString printedAtText(const QDateTime& at);

} // namespace quill
