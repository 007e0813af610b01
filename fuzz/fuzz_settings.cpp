// The settings file: any bytes as setting.ini (see settings_check.h for what must hold).
#include "fuzz_text.h"
#include "settings_check.h"

#include <cstdlib>
#include <unistd.h>

using namespace quill;
namespace fs = std::filesystem;

namespace {

fs::path g_folder;

void removeFolder() {
    std::error_code ec;
    fs::remove_all(g_folder, ec);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed when possible: every input is written and replaced a few times.
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    g_folder = base / ("quill-fuzz-settings-" + std::to_string(::getpid()));
    fs::create_directories(g_folder);
    std::atexit(removeFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::require(fuzz::settingsFileFault(g_folder / "setting.ini", bytes) == nullptr);
    return 0;
}
