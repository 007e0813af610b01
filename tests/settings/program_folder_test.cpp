#include "settings/program_folder.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quill {
namespace {

using test::TempFolder;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ProgramFolder, IsTheExecutablesFolder) {
    EXPECT_EQ(programFolder(), std::filesystem::read_symlink("/proc/self/exe").parent_path());
}

TEST(ProgramFolder, OverrideLastsForItsScope) {
    const auto original = programFolder();
    {
        ScopedProgramFolder scoped("/some/where");
        EXPECT_EQ(programFolder(), "/some/where");
    }
    EXPECT_EQ(programFolder(), original);
}

TEST(IniPath, WritableProgramFolderKeepsTheSettings) {
    TempFolder folder;
    ScopedProgramFolder scoped(folder.path());
    EXPECT_EQ(iniPath(), folder / "setting.ini");
}

TEST(IniPath, ReadOnlyProgramFolderUsesTheConfigFolder) {
    TempFolder program;
    TempFolder config;
    ScopedProgramFolder scoped(program.path());
    ::chmod(program.path().c_str(), 0555);

    {
        ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
        EXPECT_EQ(iniPath(), config / "quillsum" / "setting.ini");
    }
    for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/path"}) {
        SCOPED_TRACE(xdg ? xdg : "unset");
        ScopedEnv env("XDG_CONFIG_HOME", xdg);
        ScopedEnv home("HOME", config.path().c_str());
        EXPECT_EQ(iniPath(), config / ".config" / "quillsum" / "setting.ini");
    }
}

} // namespace
} // namespace quill
