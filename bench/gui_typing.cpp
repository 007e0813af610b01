// Typing into a long sheet through the real main window on the offscreen platform, against a
// bare plain-text editor holding the same text:
//   - with recalculation on every input, the time from a key release in the sheet until the
//     results column and the total are updated (and the window has handled what the update
//     posted); and from the key press, beside the bare editor's key press to painted text;
//   - with recalculation on Enter, Enter on a sheet whose results are not shown yet.
#include "keypad/keypad_button.h"
#include "settings/program_folder.h"
#include "window/frmMain.h"
#include "window_bench.h"

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

using quill::bench::caretToLineEnd;
using quill::bench::moneyTape;
using quill::bench::send;

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
    caretToLineEnd(sheet, lines / 2);
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

// One key typed and everything it starts handled (the pass, the repaints), from the press.
template <typename Prepare>
void typeKeys(benchmark::State& state, QPlainTextEdit* editor, Prepare&& prepare) {
    bool digit = true;
    for (auto _ : state) {
        prepare();
        const int key = digit ? Qt::Key_1 : Qt::Key_Backspace;
        const QString text = digit ? QStringLiteral("1") : QString(QChar(8));
        const auto start = std::chrono::steady_clock::now();
        send(editor, QEvent::KeyPress, key, text);
        send(editor, QEvent::KeyRelease, key, text);
        QCoreApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        digit = !digit;
    }
}

std::unique_ptr<QTemporaryDir> settingsFolder(const char* recalc) {
    auto folder = std::make_unique<QTemporaryDir>();
    std::ofstream(folder->filePath("setting.ini").toStdString())
        << "[Calc]\nReCalc=" << recalc << "\nketa=3\nW=12000\nH=9000\n";
    return folder;
}

// The key from its press in the window (range(1) 0: on the first line, the running total
// carried over every line after it; 1: on the middle line).
void BM_KeyToResults(benchmark::State& state) {
    auto folder = settingsFolder("-1");
    quill::ScopedProgramFolder programFolder(folder->path().toStdString());
    quill::frmMain window;
    window.show();
    const int lines = int(state.range(0));
    window.sheet()->setPlainText(moneyTape(lines));
    caretToLineEnd(window.sheet(), state.range(1) == 0 ? 0 : lines / 2);
    window.calculate();
    QCoreApplication::processEvents();
    typeKeys(state, window.sheet(), [] {});
}
BENCHMARK(BM_KeyToResults)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The floor: the same key in a bare editor of the same size holding the same text.
void BM_BareEditorKey(benchmark::State& state) {
    QPlainTextEdit editor;
    editor.resize(800, 600);
    editor.show();
    const int lines = int(state.range(0));
    editor.setPlainText(moneyTape(lines));
    caretToLineEnd(&editor, lines / 2);
    QCoreApplication::processEvents();
    typeKeys(state, &editor, [] {});
}
BENCHMARK(BM_BareEditorKey)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Enter at the end of a sheet whose results are not shown yet (recalculation on Enter): the
// new line and the first pass over every line. Each iteration starts from a fresh text;
// `clear` empties what was shown before (the window's "C" key).
template <typename Clear>
void enterOnFreshText(benchmark::State& state, QPlainTextEdit* editor, Clear&& clear) {
    const QString tape = moneyTape(int(state.range(0)));
    for (auto _ : state) {
        clear();
        editor->setPlainText(tape);
        editor->moveCursor(QTextCursor::End);
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        send(editor, QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
        send(editor, QEvent::KeyRelease, Qt::Key_Return, QStringLiteral("\r"));
        QCoreApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void BM_EnterOnUnshownSheet(benchmark::State& state) {
    auto folder = settingsFolder("1");
    quill::ScopedProgramFolder programFolder(folder->path().toStdString());
    quill::frmMain window;
    window.show();
    enterOnFreshText(state, window.sheet(),
                     [&] { window.cmdMenu(quill::MenuKey::Clear)->click(); });
    if (window.totalBox()->text().isEmpty()) state.SkipWithError("Enter did not calculate");
}
BENCHMARK(BM_EnterOnUnshownSheet)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BareEditorEnter(benchmark::State& state) {
    QPlainTextEdit editor;
    editor.resize(800, 600);
    editor.show();
    enterOnFreshText(state, &editor, [&] { editor.clear(); });
}
BENCHMARK(BM_BareEditorEnter)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return quill::bench::runWidgetBenchmarks(argc, argv);
}
