#include "app/font_warm_up.h"

#include <clocale>
#include <dlfcn.h>

namespace quill {

// Fontconfig as Qt's font database loads it; without it (a Qt that finds fonts another way)
// there is nothing to warm up.
FontWarmUp::FontWarmUp() {
    // The locale from the environment, which QApplication sets first thing: set here, before
    // the thread starts, no thread changes it while fontconfig reads numbers from its files.
    std::setlocale(LC_ALL, "");
    void* fontconfig = ::dlopen("libfontconfig.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (!fontconfig) return;
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(::dlsym(fontconfig, "FcInit"));
    if (init) thread_ = std::thread([init] { init(); });
    ::dlclose(fontconfig); // only drops the count taken above; Qt keeps the library loaded
}

void FontWarmUp::wait() {
    if (thread_.joinable()) thread_.join();
}

} // namespace quill
