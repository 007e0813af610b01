#pragma once
// Where the program keeps its files: the folder of the running executable (ReadMe.txt, the
// updater and, on a portable install, setting.ini live there).
#include <filesystem>

namespace quill {

// The folder of the running executable (from /proc/self/exe), or the folder set with
// setProgramFolder.
std::filesystem::path programFolder();

// Makes programFolder() return `folder` from now on; an empty path goes back to the
// executable's folder. Meant for tests, which use ScopedProgramFolder.
void setProgramFolder(const std::filesystem::path& folder);

// The user's home folder: $HOME, else the password database's entry, else "/".
std::filesystem::path homeFolder();

// Full path of the settings file: "setting.ini" in the program folder when that folder is
// writable (a portable install), else $XDG_CONFIG_HOME/quillsum/setting.ini, with
// ~/.config standing in for an unset or relative $XDG_CONFIG_HOME. The folder is not created
// here; the first write creates it.
std::filesystem::path iniPath();

// The file the settings file `ini` starts from while it does not exist: the program folder's
// setting.ini when `ini` is the user's own file in the configuration folder (a read-only
// portable copy, or an administrator's presets beside an installed program); empty otherwise.
std::filesystem::path presetIniPath(const std::filesystem::path& ini);

// Sets the program folder for the life of the object and puts the previous one back after.
class ScopedProgramFolder {
public:
    explicit ScopedProgramFolder(const std::filesystem::path& folder);
    ~ScopedProgramFolder();
    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

private:
    std::filesystem::path previous_;
};

} // namespace quill
