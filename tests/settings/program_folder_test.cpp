#include "settings/program_folder.h"

#include "settings/settings.h"

#include "scoped_env.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quill {
namespace {

using test::ScopedEnv;
using test::TempFolder;

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

// A read-only program folder's setting.ini (a read-only portable copy, an administrator's
// presets) is where the user's own file starts: read while the user has none, carried into it
// by the first write, and no longer read once it exists.
TEST(IniPath, UsersFileStartsFromTheProgramFoldersFile) {
    TempFolder program;
    TempFolder config;
    ScopedProgramFolder scoped(program.path());
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
    test::writeBytes(program / "setting.ini", "[Calc]\r\nketa=4\r\nTalk=-1\r\n");
    ::chmod(program.path().c_str(), 0555);
    const auto own = config / "quillsum" / "setting.ini";
    ASSERT_EQ(iniPath(), own);

    Settings settings(iniPath());
    EXPECT_EQ(settings.grouping(), Grouping::Four);
    ASSERT_TRUE(settings.setTalk(false));
    EXPECT_EQ(test::readBytes(own), "[Calc]\r\nketa=4\r\nTalk=0\r\n");

    ::chmod(program.path().c_str(), 0755);
    test::writeBytes(program / "setting.ini", "[Calc]\r\nketa=3\r\n");
    ::chmod(program.path().c_str(), 0555);
    EXPECT_EQ(Settings(iniPath()).grouping(), Grouping::Four) << "the user's own file wins";
    EXPECT_EQ(presetIniPath(program / "setting.ini"), std::filesystem::path());
}

} // namespace
} // namespace quill
