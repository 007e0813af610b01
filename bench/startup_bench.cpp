// Start-up time of the real quillsum program: from just before the process is started to the
// moment it reports its first painted window (the QUILL_REPORT_FIRST_FRAME test hook), each
// start in a program folder of its own. Reported beside the time: the resident memory of the
// program at that moment and how long the close after SIGTERM takes (it writes setting.ini).
//
// Runs on the display in $DISPLAY (for example under xvfb-run), else on the offscreen
// platform. The budget for a start is 300 ms.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWaitMs = 10000;

// Resident memory of a process in KiB, from /proc/<pid>/status.
double residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0;
}

bool waitForShown(QProcess& program) {
    QByteArray out;
    while (!out.contains("quillsum: shown")) {
        if (!program.waitForReadyRead(kWaitMs)) return false;
        out += program.readAllStandardOutput();
    }
    return true;
}

// `withSettings`: the folder keeps the setting.ini the previous start wrote; otherwise every
// start is a first start.
void startUp(benchmark::State& state, bool withSettings) {
    QTemporaryDir folder;
    QTemporaryDir runtime; // the instance socket of these starts, apart from a real calculator
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUILL_PROGRAM_FOLDER"), folder.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QUILL_REPORT_FIRST_FRAME"), QStringLiteral("1"));
    double rss = 0;
    double closeMs = 0;
    for (auto _ : state) {
        if (!withSettings) QFile::remove(folder.filePath(QStringLiteral("setting.ini")));
        QProcess program;
        program.setProcessEnvironment(env);
        program.setStandardErrorFile(QProcess::nullDevice());
        const auto start = Clock::now();
        program.start(QStringLiteral(QUILLSUM_PROGRAM), {});
        if (!program.waitForStarted(kWaitMs) || !waitForShown(program)) {
            state.SkipWithError("quillsum did not report its first frame");
            break;
        }
        const auto shown = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        rss += residentKiB(program.processId());
        ::kill(pid_t(program.processId()), SIGTERM);
        program.waitForFinished(kWaitMs);
        closeMs += std::chrono::duration<double, std::milli>(Clock::now() - shown).count();
    }
    state.counters["rss_MiB"] = benchmark::Counter(rss / 1024, benchmark::Counter::kAvgIterations);
    state.counters["close_ms"] = benchmark::Counter(closeMs, benchmark::Counter::kAvgIterations);
}

void BM_FirstStart(benchmark::State& state) {
    startUp(state, false);
}
void BM_StartWithSettings(benchmark::State& state) {
    startUp(state, true);
}

BENCHMARK(BM_FirstStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartWithSettings)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
