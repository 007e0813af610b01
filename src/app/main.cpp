// quillsum: the desktop calculator. It takes no options; everything it keeps is in setting.ini.
// The one exception prints without a window: `quillsum --pdf OUT.pdf FILE` (printing/).
//
// The start: the settings file is found, then the one-instance rule may hand over to a
// calculator that is already running and end at once, writing nothing; otherwise the main
// window loads its settings, shows itself, and the program ends when it closes.
//
// Test hooks (environment variables for tests and benchmarks, not for users):
//   QUILL_PROGRAM_FOLDER      the program folder to use instead of the executable's own
//                             (setting.ini, ReadMe.txt and the updater are looked for there)
//   QUILL_REPORT_FIRST_FRAME  when set, "quillsum: shown" is written to standard output once
//                             the window has been shown and painted for the first time
//   QUILL_TYPE_STDIN          when set, what arrives on standard input is typed into the sheet
#include "app/deferred_speech.h"
#include "app/first_paint.h"
#include "app/font_warm_up.h"
#include "engine/platform.h"
#include "printing/pdf_command.h"
#include "settings/program_folder.h"
#include "settings/settings.h"
#include "speech/chosen_output.h"
#include "window/frmMain.h"
#include "window/program_life.h"
#include "window/quit_signals.h"
#include "window/single_instance.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

bool hasDisplay() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
}

// COMMAND$: the program's own arguments, after Qt has taken its options (-platform and the
// like) out of argv.
std::u16string ownArguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args.join(QLatin1Char(' ')).toStdU16String();
}

// The icon installed with the desktop entry; from the icon theme when the desktop knows it,
// else from the installed file, found from the program folder by the install layout.
QIcon programIcon() {
    const auto installed =
        (quill::programFolder() / QUILL_ICON_FROM_PROGRAM_DIR).lexically_normal();
    std::error_code ec;
    QIcon fallback;
    if (std::filesystem::exists(installed, ec))
        fallback = QIcon(QString::fromStdString(installed.string()));
    return QIcon::fromTheme(QStringLiteral("quillsum"), fallback);
}

// Qt's own dialogs and buttons (the colour chooser, OK, Cancel) speak the program's language.
void installJapaneseTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

} // namespace

int main(int argc, char** argv) {
    if (const char* folder = std::getenv("QUILL_PROGRAM_FOLDER"); folder && *folder)
        quill::setProgramFolder(folder);
    if (quill::isPdfCommand(argc, argv)) return quill::runPdfCommand(argc, argv);
    if (!hasDisplay()) {
        std::fputs("quillsum needs a desktop display; without one, use quillsum-calc "
                   "(quillsum-calc --help).\n",
                   stderr);
        return 1;
    }
    quill::FontWarmUp fontWarmUp;
    QApplication app(argc, argv);
    // Qt's font teardown asks fontconfig for its configuration, which would start a second
    // reading beside an unfinished one: every way out of here waits for the warm-up first.
    const auto warmUpDone = qScopeGuard([&fontWarmUp] { fontWarmUp.wait(); });
    QApplication::setApplicationName(quill::frmMain::title);
    QGuiApplication::setDesktopFileName(QStringLiteral("quillsum"));
    installJapaneseTranslation(app);
    quill::platform::setCommandLine(ownArguments(argc, argv));

    // Only one calculator runs on a display unless setting PI allows several: a later start
    // asks the running one to come forward and ends here, before anything is read or written.
    const bool several = quill::Settings(quill::iniPath()).severalInstances();
    quill::SingleInstance instance;
    const bool first = instance.claim(several ? quill::SingleInstance::Handover::Nothing
                                              : quill::SingleInstance::Handover::AskToComeForward);
    if (!first && !several) return 0;

    quill::QuitSignals quitSignals;
    fontWarmUp.wait();
    auto speech =
        std::make_unique<quill::DeferredSpeech>([]() -> std::unique_ptr<quill::SpeechOutput> {
            return std::make_unique<quill::ChosenOutput>(quill::TalkEngine::create());
        });
    quill::DeferredSpeech* speechOpener = speech.get();
    quill::frmMain window(std::move(speech));
    quill::closeWithTheProgram(window, quitSignals);
    quill::answerSecondStarts(window, instance);
    // Of the instances a user runs (several allowed, or one on each display), only the first
    // keeps the sheet across restarts.
    quill::SingleInstance keeper(quill::SingleInstance::keeperName());
    if (keeper.claim(quill::SingleInstance::Handover::Nothing)) window.takeKeptSheet();
    if (std::getenv("QUILL_TYPE_STDIN")) quill::typeStandardInput(window.sheet());
    // The speech engine (its own thread, loading espeak-ng and the sound libraries) and the
    // icon theme search wait until the first frame is painted: on a busy machine they would
    // otherwise compete with it. The talking item is enabled once the engine is ready.
    // Added before the report hook, which then sees the same first paint and reports first.
    quill::afterFirstPaint(&window, [speechOpener] {
        speechOpener->open();
        QApplication::setWindowIcon(programIcon());
    });
    if (std::getenv("QUILL_REPORT_FIRST_FRAME")) quill::reportFirstFrame(&window);
    window.show();
    return QApplication::exec();
}
