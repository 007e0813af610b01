// Opening a big sheet file: the real window (reading, decoding, the editor taking the text,
// the first pass and the painted window) beside a bare plain-text editor given the same text.
// The file is `lines` lines of "+ 1". Peak memory is the process's own (getrusage), so run one
// benchmark per process to read it: --benchmark_filter=BM_OpenInWindow/200000.
#include "settings/program_folder.h"
#include "window/frmMain.h"
#include "window_bench.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>
#include <sys/resource.h>

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
    const QString file = QString::fromStdString(writeTape(folder, int(state.range(0)), int(state.range(1))));
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
    const QString file = QString::fromStdString(writeTape(folder, int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        state.PauseTiming();
        {
            QPlainTextEdit editor;
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
    for (int lines : {100000, 250000, 500000, 1000000}) b->Args({lines, 0});
    b->Args({1, 8000000})->Args({1, 1000000})->Args({1, 250000})->Args({8000, 1000});
}

BENCHMARK(BM_OpenInWindow)->Apply(sizes)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenInBareEditor)->Apply(sizes)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return quill::bench::runWidgetBenchmarks(argc, argv);
}
