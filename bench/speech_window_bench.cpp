// A keypad key in the real main window (offscreen, talking on, recalculation on every input):
// from the mouse button's release on the key to the first samples of the key's phrase at the
// sound output. The window speaks through the real engine; the sound server is a SoundClock.
#include "keypad/keypad_button.h"
#include "settings/program_folder.h"
#include "sound_clock.h"
#include "speech/speak.h"
#include "window/frmMain.h"
#include "window_bench.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>

namespace {

using quill::bench::SoundClock;

void BM_KeyReleaseToFirstSamples(benchmark::State& state) {
    if (!quill::TalkEngine::createForRetrieval()) return state.SkipWithError("no espeak-ng");
    QTemporaryDir folder;
    std::ofstream(folder.filePath("setting.ini").toStdString())
        << "[Calc]\nReCalc=-1\nTalk=-1\nW=12000\nH=9000\n";
    quill::ScopedProgramFolder programFolder(folder.path().toStdString());
    auto clock = std::make_shared<SoundClock*>(nullptr);
    quill::frmMain window(
        quill::TalkEngine::create([clock](int rate) -> std::unique_ptr<quill::SoundOutput> {
            auto out = std::make_unique<SoundClock>(rate);
            *clock = out.get();
            return out;
        }));
    window.show();
    while (!window.speech().available()) QCoreApplication::processEvents();
    window.speech().Speak(u"たす"); // the output opens with the first phrase
    while (*clock == nullptr) QCoreApplication::processEvents();
    SoundClock& sound = **clock;

    // "7" and Back by turns, so the sheet stays short.
    bool digit = true;
    for (auto _ : state) {
        QWidget* key = digit ? static_cast<QWidget*>(window.cmdNum(quill::NumKey::Digit7))
                             : static_cast<QWidget*>(window.cmdMenu(quill::MenuKey::Back));
        QTest::mousePress(key, Qt::LeftButton);
        const std::uint64_t marks = sound.marks();
        sound.arm();
        const auto start = SoundClock::Clock::now();
        QTest::mouseRelease(key, Qt::LeftButton);
        QCoreApplication::processEvents();
        state.SetIterationTime(
            std::chrono::duration<double>(sound.waitForFirstSamples(marks) - start).count());
        digit = !digit;
    }
}
BENCHMARK(BM_KeyReleaseToFirstSamples)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return quill::bench::runWidgetBenchmarks(argc, argv);
}
