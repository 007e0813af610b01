#pragma once
// The desktop program's life around its main window: every way the program can be asked to
// end runs the window's close sequence, and a later start of the program hands over to it.
class QWidget;

namespace quill {

class frmMain;
class QuitSignals;
class SingleInstance;

// SIGTERM and SIGINT close the window as its close box does. When the desktop session ends,
// the state is saved as soon as the session manager asks for it, and the close sequence runs
// when the application quits, if nothing closed the window before.
void closeWithTheProgram(frmMain& window, QuitSignals& quitSignals);

// A later start (with several instances not allowed) asks this window to come forward.
void answerSecondStarts(frmMain& window, SingleInstance& instance);

// Test hook: writes "quillsum: shown" on standard output once the window has been shown,
// laid out and painted for the first time, so that a test or a benchmark can tell when
// start-up is over.
void reportFirstFrame(QWidget* window);

// Test hook: every character that arrives on standard input is typed into `target` as a key
// press and release (a line break as Enter), as a keyboard would, so that a test can type into
// the real program and then end it in the middle of typing.
void typeStandardInput(QWidget* target);

} // namespace quill
