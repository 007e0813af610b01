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
#include <filesystem>
#include <string>

namespace quill {

namespace {

void complain(const std::string& message) {
    std::fprintf(stderr, "quillsum: %s\n", message.c_str());
}

// Why FILE cannot be printed, in the words quillsum-calc uses for the same file.
std::string readFailure(SheetReadError error, const QString& path) {
    const std::string name = path.toLocal8Bit().toStdString();
    switch (error) {
    case SheetReadError::NotText: return name + " is not text (UTF-8 or code page 932)";
    case SheetReadError::TooLarge: {
        std::error_code ec;
        const auto bytes = std::filesystem::file_size(toPath(path), ec);
        return name + " is " + (ec ? std::string("larger") : std::to_string(bytes >> 20) + " MB,") +
               " more than the " + std::to_string(kMaxSheetFileBytes >> 20) +
               " MB a printed tape takes (quillsum-calc reads up to 256 MB)";
    }
    case SheetReadError::Folder: return "cannot read " + name + ": it is a folder";
    case SheetReadError::NotRegular: return "cannot read " + name + ": it is not a regular file";
    case SheetReadError::Missing: return "cannot read " + name + ": no such file";
    default: return "cannot read " + name;
    }
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
        complain(readFailure(sheet.error, in));
        return 1;
    }
    const Grouping grouping = Settings(iniPath()).grouping();
    const PrintedTape tape = printedTape(QString::fromStdU16String(sheet.text), grouping,
                                         QFileInfo(in).fileName(), QDateTime::currentDateTime());
    if (!writeTapePdf(tape, out)) {
        complain("cannot write " + out.toLocal8Bit().toStdString());
        return 1;
    }
    return 0;
}

} // namespace quill
