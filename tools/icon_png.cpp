// icon_png ICON.svg SIZE OUT.png: renders the program's SVG icon as a square PNG of SIZE
// pixels, for the icon theme's fixed-size folders that menus without SVG support read.
// Runs at build time on Qt's offscreen platform, so it needs no display.
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: icon_png ICON.svg SIZE OUT.png\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's warnings about the build machine's session (no XDG_RUNTIME_DIR and the like) are
    // noise in a build log; failures are reported below.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "icon_png: %s\n", qPrintable(text));
    });
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[2]);
    if (size <= 0 || size > 1024) {
        std::fprintf(stderr, "icon_png: unusable size %s\n", argv[2]);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "icon_png: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "icon_png: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
