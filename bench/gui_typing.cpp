// Typing into a long sheet with recalculation on every input, through the real main window on
// the offscreen platform: the time from a key release in the sheet until the results column
// and the total are updated (and the window has handled what the update posted).
#include "settings/program_folder.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

QString moneyTape(int lines) {
    static const char* const pattern[] = {
        "12,800",    "+ 3,450",          "- 1,200",  "* 1.08",  "+ 980",
        "1,234+5*2", "ROUND(1234.5, 0)", "+ 45,000", "/ 2",     "+ 19,800",
        "- 350",     "+ 2,400*3",        "",         "+ 7,777", "INT(12345.678)",
    };
    QStringList sheet;
    for (int i = 0; i < lines; ++i) sheet << QString::fromLatin1(pattern[i % std::size(pattern)]);
    return sheet.join('\n');
}

void send(QWidget* target, QEvent::Type type, int key, const QString& text) {
    QKeyEvent event(type, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &event);
}

// Each iteration types "1" or Backspace (alternately, so the sheet stays the same size) on
// the middle line; only the key release and what follows it is timed.
void BM_KeyReleaseToResults(benchmark::State& state) {
    QTemporaryDir folder;
    std::ofstream(folder.filePath("setting.ini").toStdString())
        << "[Calc]\nReCalc=-1\nketa=3\nW=12000\nH=9000\n";
    quill::ScopedProgramFolder programFolder(folder.path().toStdString());
    quill::frmMain window;
    window.show();
    QPlainTextEdit* sheet = window.sheet();
    const int lines = int(state.range(0));
    sheet->setPlainText(moneyTape(lines));
    QTextCursor caret(sheet->document()->findBlockByNumber(lines / 2));
    caret.movePosition(QTextCursor::EndOfBlock);
    sheet->setTextCursor(caret);
    window.calculate();
    QCoreApplication::processEvents();

    bool digit = true;
    for (auto _ : state) {
        const int key = digit ? Qt::Key_1 : Qt::Key_Backspace;
        const QString text = digit ? QStringLiteral("1") : QString(QChar(8));
        send(sheet, QEvent::KeyPress, key, text);
        const auto start = std::chrono::steady_clock::now();
        send(sheet, QEvent::KeyRelease, key, text);
        QCoreApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        digit = !digit;
    }
    if (window.totalBox()->text().isEmpty()) state.SkipWithError("no total after typing");
}
BENCHMARK(BM_KeyReleaseToResults)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

// The widgets need an application object that lives around all benchmarks and ends before
// the libraries unload, so this benchmark brings its own main.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
