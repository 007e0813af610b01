#pragma once
// What the benchmarks that drive the real main window share: a long money tape to type into,
// the caret put on a line, a key sent to a widget, and a main that keeps one application object
// around them all.
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <iterator>

namespace quill::bench {

// `lines` lines of a day's money sums (additions, discounts, tax, a blank line, functions).
inline QString moneyTape(int lines) {
    static const char* const pattern[] = {
        "12,800",    "+ 3,450",          "- 1,200",  "* 1.08",  "+ 980",
        "1,234+5*2", "ROUND(1234.5, 0)", "+ 45,000", "/ 2",     "+ 19,800",
        "- 350",     "+ 2,400*3",        "",         "+ 7,777", "INT(12345.678)",
    };
    QStringList sheet;
    for (int i = 0; i < lines; ++i) sheet << QString::fromLatin1(pattern[i % std::size(pattern)]);
    return sheet.join('\n');
}

inline void caretToLineEnd(QPlainTextEdit* editor, int line) {
    QTextCursor caret(editor->document()->findBlockByNumber(line));
    caret.movePosition(QTextCursor::EndOfBlock);
    editor->setTextCursor(caret);
}

inline void send(QWidget* target, QEvent::Type type, int key, const QString& text) {
    QKeyEvent event(type, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &event);
}

// The widgets need an application object that lives around all benchmarks and ends before
// the libraries unload, so these benchmarks bring their own main.
inline int runWidgetBenchmarks(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quill::bench
