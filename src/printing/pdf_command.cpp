#include "printing/pdf_command.h"

#include "document/sheet_file.h"
#include "printing/printed_tape.h"
#include "printing/tape_painter.h"
#include "settings/program_folder.h"
#include "settings/settings.h"
#include "widgets/file_paths.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

namespace quill {

namespace {

void complain(const char* what, const QString& path) {
    std::fprintf(stderr, "quillsum: %s %s\n", what, path.toLocal8Bit().constData());
}

// Qt's own notes about the environment (no XDG_RUNTIME_DIR and the like) are not the
// command's business; its own messages go to standard error directly.
void dropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "quillsum: %s\n", message.toLocal8Bit().constData());
}

} // namespace

bool isPdfCommand(int argc, char** argv) {
    return argc >= 2 && std::strcmp(argv[1], "--pdf") == 0;
}

int runPdfCommand(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: quillsum --pdf OUT.pdf FILE\n", stderr);
        return 2;
    }
    // No window is opened, so no display is needed, whatever the environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropQtNotes);
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString in = QString::fromLocal8Bit(argv[3]);
    // Read as the window opens a sheet file and as quillsum-calc reads one.
    const SheetRead sheet = readSheetFile(toPath(in));
    if (!sheet.ok()) {
        complain("cannot read", in);
        return 1;
    }
    const Grouping grouping = Settings(iniPath()).grouping();
    const PrintedTape tape = printedTape(QString::fromStdU16String(sheet.text), grouping,
                                         QFileInfo(in).fileName(), QDateTime::currentDateTime());
    if (!writeTapePdf(tape, out)) {
        complain("cannot write", out);
        return 1;
    }
    return 0;
}

} // namespace quill
