// Opening the largest sheet files the window accepts: the real window (reading, decoding, the
// editor taking the text, the first pass and the painted window) beside a bare plain-text editor
// (without line wrapping, as the sheet) given the same text. The files are 500,000 lines of
// "+ 1" (the line limit) and one line of four million characters (the character limit). Peak
// memory is the process's own (getrusage), so run one benchmark per process to read it:
// --benchmark_filter=BM_OpenInWindow/500000/.
// BM_UndoSession pastes ten thousand lines, presses Enter, Ctrl+A and BackSpace as many times
// as a user doing so every three seconds for half an hour, and reports the memory in use
// before and after.
#include "document/sheet_file.h"
#include "settings/program_folder.h"
#include "window/frmMain.h"
#include "window_bench.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// `lines` lines of "+ 1", or with a width, lines of "+ LEN("aaa…")" that many characters long.
std::string writeTape(const QTemporaryDir& folder, int lines, int width = 0) {
    const std::string path = folder.filePath("tape.txt").toStdString();
    std::ofstream out(path, std::ios::binary);
    const std::string line =
        width < 12 ? "+ 1\n" : "+ LEN(\"" + std::string(size_t(width - 10), 'a') + "\")\n";
    for (int i = 0; i < lines; ++i) out << line;
    return path;
}

void reportPeak(benchmark::State& state) {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}

void BM_OpenInWindow(benchmark::State& state) {
    QTemporaryDir folder;
    std::ofstream(folder.filePath("setting.ini").toStdString())
        << "[Calc]\nKeepSheet=0\nW=12000\nH=9000\n";
    const quill::ScopedProgramFolder programFolder(folder.path().toStdString());
    const QString file =
        QString::fromStdString(writeTape(folder, int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        state.PauseTiming();
        {
            quill::frmMain window;
            window.show();
            QCoreApplication::processEvents();
            state.ResumeTiming();
            if (!window.openSheetFile(file)) state.SkipWithError("the window refused the file");
            QCoreApplication::processEvents();
            if (window.totalBox()->text().isEmpty()) state.SkipWithError("no total");
            state.PauseTiming();
        }
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    reportPeak(state);
}

void BM_OpenInBareEditor(benchmark::State& state) {
    QTemporaryDir folder;
    const QString file =
        QString::fromStdString(writeTape(folder, int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        state.PauseTiming();
        {
            QPlainTextEdit editor;
            editor.setLineWrapMode(QPlainTextEdit::NoWrap);
            editor.resize(800, 600);
            editor.show();
            QCoreApplication::processEvents();
            state.ResumeTiming();
            QFile in(file);
            in.open(QIODevice::ReadOnly);
            editor.setPlainText(QString::fromUtf8(in.readAll()));
            QCoreApplication::processEvents();
            state.PauseTiming();
        }
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    reportPeak(state);
}

} // namespace

void sizes(benchmark::internal::Benchmark* b) {
    b->Args({int(quill::kWindowSheetLimits.lines), 0});
    b->Args({1, int(quill::kWindowSheetLimits.characters) - 1});
}

BENCHMARK(BM_OpenInWindow)->Apply(sizes)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenInBareEditor)->Apply(sizes)->Iterations(1)->Unit(benchmark::kMillisecond);

double residentMegabytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_UndoSession(benchmark::State& state) {
    QTemporaryDir folder;
    std::ofstream(folder.filePath("setting.ini").toStdString())
        << "[Calc]\nKeepSheet=0\nReCalc=0\nW=12000\nH=9000\n";
    const quill::ScopedProgramFolder programFolder(folder.path().toStdString());
    quill::frmMain window;
    window.show();
    QPlainTextEdit* sheet = window.sheet();
    QGuiApplication::clipboard()->setText(QString::fromLatin1("+ 1,234\n").repeated(10'000));
    const auto key = [sheet](int k, Qt::KeyboardModifiers modifiers, const QString& text) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, k, modifiers, text);
            QCoreApplication::sendEvent(sheet, &event);
        }
        QCoreApplication::processEvents();
    };
    const auto cycle = [&] {
        key(Qt::Key_V, Qt::ControlModifier, {});
        key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        key(Qt::Key_A, Qt::ControlModifier, {});
        key(Qt::Key_Backspace, Qt::NoModifier, {});
    };
    for (int i = 0; i < 10; ++i) cycle(); // the allocator's pools settle
    const double start = residentMegabytes();
    double most = start;
    for (auto _ : state) {
        cycle();
        most = std::max(most, residentMegabytes());
    }
    state.counters["rss_start_MB"] = start;
    state.counters["rss_end_MB"] = residentMegabytes();
    state.counters["rss_most_MB"] = most;
}
// Thirty minutes of a cycle every three seconds.
BENCHMARK(BM_UndoSession)->Iterations(600)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return quill::bench::runWidgetBenchmarks(argc, argv);
}
