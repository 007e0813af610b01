#pragma once
// Fontconfig reads its configuration (dozens of XML files) and its font caches the first time
// a program asks it for a font, and the window's first text needs them. Started at the top of
// main, that reading runs on a thread of its own while Qt connects to the display, instead of
// on the way to the first paint. Fontconfig sets up its configuration once and safely when
// several threads ask: whichever thread comes first does the work. Made before QApplication.
#include <thread>

namespace quill {

class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp() { wait(); }
    // Waits for the reading to end. Called before the first font is asked for, so that the
    // window never reads the configuration a second time beside the thread (on a machine
    // without a free core, the wait costs what the reading on this thread would have).
    void wait();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread thread_;
};

} // namespace quill
