#include "printing/pdf_command.h"

#include "printing/printed_tape.h"
#include "printing/tape_painter.h"
#include "settings/program_folder.h"
#include "settings/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <optional>

namespace quill {

namespace {

// A sheet larger than this is no tape anyone prints; it is refused rather than read.
constexpr qint64 kMaxSheetBytes = 64 << 20;

void complain(const char* what, const QString& path) {
    std::fprintf(stderr, "quillsum: %s %s\n", what, path.toLocal8Bit().constData());
}

// The sheet file as quillsum-calc reads it: UTF-8, LF or CR LF; one final line break ends the
// last line without starting another. Only regular files are read.
std::optional<QString> readSheetFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxSheetBytes) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.read(kMaxSheetBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxSheetBytes) return std::nullopt;
    if (bytes.endsWith('\n')) bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
    return QString::fromUtf8(bytes);
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
    const std::optional<QString> sheet = readSheetFile(in);
    if (!sheet) {
        complain("cannot read", in);
        return 1;
    }
    const Grouping grouping = Settings(iniPath()).grouping();
    const PrintedTape tape =
        printedTape(*sheet, grouping, QFileInfo(in).fileName(), QDateTime::currentDateTime());
    if (!writeTapePdf(tape, out)) {
        complain("cannot write", out);
        return 1;
    }
    return 0;
}

} // namespace quill
