// The floor the desktop program is measured against: a bare plain-text editor window of the
// same size, nothing else. Used by keystroke_latency.py.
#include <QApplication>
#include <QPlainTextEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPlainTextEdit editor;
    editor.setWindowTitle(QStringLiteral("bare editor"));
    editor.resize(800, 600);
    editor.show();
    return app.exec();
}
