#include "printing/printed_tape.h"

namespace quill {

PrintedTape printedTape(const QString& sheet, Grouping grouping, const QString& fileName,
                        const QDateTime& printedAt) {
    PrintedTape tape;
    tape.title = QStringLiteral("Quillsum");
    tape.fileName = fileName;
    tape.printedAt = printedAt;
    const PassResult pass = calculateSheet(sheet.toStdU16String(), grouping);
    // The pass narrows full-width characters; the paper shows the lines it calculated.
    const QString shown = pass.sheetChanged ? QString::fromStdU16String(pass.sheet) : sheet;
    if (!shown.isEmpty()) {
        tape.lines = shown.split(QLatin1Char('\n'));
        for (QString& line : tape.lines)
            if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    for (const std::u16string& r : pass.results) tape.results << QString::fromStdU16String(r);
    tape.total = QString::fromStdU16String(pass.total);
    return tape;
}

QString printedAtText(const QDateTime& at) {
    return at.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

} // namespace quill
