// The kept sheet on long tapes: what a background save costs, split into the part that runs on
// the window's thread (taking the sheet's text) and the part on the writer's thread (encoding,
// writing, flushing to disk, renaming), and how long a key takes in the real main window while
// saves run all the time.
#include "document/kept_sheet.h"
#include "settings/program_folder.h"
#include "window/frmMain.h"
#include "window_bench.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace {

using quill::bench::moneyTape;
using quill::bench::send;

// The writer thread's work for one save.
void BM_KeptSheetWrite(benchmark::State& state) {
    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath("sheet.txt").toStdString();
    const std::u16string text = moneyTape(int(state.range(0))).toStdU16String();
    for (auto _ : state)
        if (!quill::writeKeptSheet(file, text)) state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * std::int64_t(text.size()));
}
BENCHMARK(BM_KeptSheetWrite)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The window thread's work for one save: the sheet's text handed to the writer.
void BM_KeptSheetSnapshot(benchmark::State& state) {
    QPlainTextEdit sheet;
    sheet.setPlainText(moneyTape(int(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(sheet.toPlainText().toStdU16String());
}
BENCHMARK(BM_KeptSheetSnapshot)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One key (press, release and what the window does after it) on the middle line of a long
// sheet, in the window that owns the kept sheet: its own save runs two seconds after the first
// unsaved key, and a second writer rewrites a copy of the sheet without pause, so that the disk
// and the other core are busy throughout. Recalculation on Enter (the default): the time is
// the window's and the saves', not a calculation pass's. max_ms is the slowest key.
void BM_KeyWhileKeptSheetSaves(benchmark::State& state) {
    QTemporaryDir folder;
    std::ofstream(folder.filePath("setting.ini").toStdString())
        << "[Calc]\nReCalc=1\nW=12000\nH=9000\n";
    quill::ScopedProgramFolder programFolder(folder.path().toStdString());
    quill::frmMain window;
    window.takeKeptSheet();
    window.show();
    QPlainTextEdit* sheet = window.sheet();
    const int lines = int(state.range(0));
    sheet->setPlainText(moneyTape(lines));
    quill::bench::caretToLineEnd(sheet, lines / 2);
    QCoreApplication::processEvents();

    std::atomic<bool> stop = false;
    const std::u16string copy = sheet->toPlainText().toStdU16String();
    std::thread busy([&] {
        const std::filesystem::path file = folder.filePath("copy.txt").toStdString();
        while (!stop) quill::writeKeptSheet(file, copy);
    });

    double slowest = 0;
    bool digit = true;
    for (auto _ : state) {
        const int key = digit ? Qt::Key_1 : Qt::Key_Backspace;
        const QString text = digit ? QStringLiteral("1") : QString(QChar(8));
        const auto start = std::chrono::steady_clock::now();
        send(sheet, QEvent::KeyPress, key, text);
        send(sheet, QEvent::KeyRelease, key, text);
        QCoreApplication::processEvents();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        slowest = std::max(slowest, seconds);
        digit = !digit;
    }
    stop = true;
    busy.join();
    state.counters["max_ms"] = slowest * 1000;
    window.closeWithoutAsking();
}
BENCHMARK(BM_KeyWhileKeptSheetSaves)
    ->Arg(100000)
    ->UseManualTime()
    ->MinTime(6.0) // several of the window's own saves fall inside the run
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return quill::bench::runWidgetBenchmarks(argc, argv);
}
