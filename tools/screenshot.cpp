// quill_screenshot: the main window with a short tape, saved as a PNG, for the pictures in
// docs/screenshots/. Run it on a display (xvfb-run); QT_SCALE_FACTOR=2 gives the 2x picture.
//   quill_screenshot OUT.png [--dark] [--font=POINTS]
// --dark gives the application a dark palette, as a dark desktop theme would; --font gives it
// a desktop font of that size.
#include "window/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QPalette darkPalette() {
    QPalette p;
    const QColor window(0x2b, 0x2b, 0x2e), base(0x1e, 0x1e, 0x21), text(0xe8, 0xe8, 0xea);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3e));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xe4));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Light, QColor(0x4a, 0x4a, 0x4f));
    p.setColor(QPalette::Midlight, QColor(0x42, 0x42, 0x46));
    p.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x33));
    p.setColor(QPalette::Dark, QColor(0x1a, 0x1a, 0x1c));
    p.setColor(QPalette::Shadow, Qt::black);
    return p;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: quill_screenshot OUT.png [--dark] [--font=POINTS]\n", stderr);
        return 2;
    }
    QTemporaryDir folder;
    qputenv("QUILL_PROGRAM_FOLDER", QDir::toNativeSeparators(folder.path()).toLocal8Bit());
    QApplication app(argc, argv);
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dark") == 0) QApplication::setPalette(darkPalette());
        if (std::strncmp(argv[i], "--font=", 7) == 0) {
            QFont font = QApplication::font();
            font.setPointSizeF(std::atof(argv[i] + 7));
            QApplication::setFont(font);
        }
    }
    quill::frmMain window;
    window.show();
    window.sheet()->setPlainText(QStringLiteral("1,200\n+ 300\n* 2\n- 45.5\nSQR(2)"));
    window.calculate();
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(500, &window, [&] {
        const bool saved = window.grab().save(out);
        if (!saved) std::fprintf(stderr, "quill_screenshot: cannot write %s\n", argv[1]);
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}
