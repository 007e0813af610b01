#include "settings/program_folder.h"

#include "settings/atomic_file.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace quill {
namespace fs = std::filesystem;
namespace {

fs::path& overrideFolder() {
    static fs::path folder;
    return folder;
}

fs::path executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return fs::current_path(ec);
    return exe.parent_path();
}

} // namespace

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr)
        return pw->pw_dir;
    return "/";
}

namespace {

// The XDG rules: an unset, empty or relative $XDG_CONFIG_HOME counts as missing.
fs::path configFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr) {
        const fs::path folder(xdg);
        if (folder.is_absolute()) return folder;
    }
    return homeFolder() / ".config";
}

} // namespace

fs::path programFolder() {
    const fs::path& folder = overrideFolder();
    return folder.empty() ? executableFolder() : folder;
}

void setProgramFolder(const fs::path& folder) {
    overrideFolder() = folder;
}

fs::path iniPath() {
    const fs::path folder = programFolder();
    // A portable install keeps its settings beside the program; an installed copy in a
    // system folder keeps them in the user's configuration folder.
    if (isWritable(folder)) return folder / "setting.ini";
    return configFolder() / "quillsum" / "setting.ini";
}

fs::path presetIniPath(const fs::path& ini) {
    const fs::path preset = programFolder() / "setting.ini";
    if (ini == preset || ini != iniPath()) return {};
    return preset;
}

ScopedProgramFolder::ScopedProgramFolder(const fs::path& folder) : previous_(overrideFolder()) {
    setProgramFolder(folder);
}

ScopedProgramFolder::~ScopedProgramFolder() {
    setProgramFolder(previous_);
}

} // namespace quill
