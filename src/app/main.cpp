// quillsum: the desktop calculator. No arguments; everything it keeps is in setting.ini.
#include "window/frmMain.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

bool hasDisplay() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    if (!hasDisplay()) {
        std::fputs("quillsum needs a desktop display; without one, use quillsum-calc "
                   "(quillsum-calc --help).\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(quill::frmMain::title);
    quill::frmMain window(quill::TalkEngine::create());
    window.show();
    return QApplication::exec();
}
