#include "settings/file_access.h"

#include "scoped_env.h"
#include "settings/program_folder.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::TempFolder;
using test::writeBytes;

// A home folder, a program folder and a folder that is neither, for one row.
struct Places {
    TempFolder home, program, elsewhere;
    ScopedEnv homeEnv{"HOME", home.path().c_str()};
    ScopedProgramFolder programScope{program.path()};
};

struct AccessRow {
    const char* name;
    // Makes what the row needs and returns the path the program would use.
    std::function<fs::path(Places&)> make;
    FileReadStatus read;
    // Where a write goes, relative to the places; nullopt when the write is refused.
    std::function<std::optional<fs::path>(Places&)> target;
};

fs::path file(const fs::path& path, std::string_view bytes = "[Calc]\nketa=4\n") {
    fs::create_directories(path.parent_path());
    writeBytes(path, bytes);
    return path;
}

fs::path link(const fs::path& to, const fs::path& at) {
    fs::create_directories(at.parent_path());
    fs::create_symlink(to, at);
    return at;
}

auto in(TempFolder Places::*folder, const char* rest) {
    return [folder, rest](Places& p) -> std::optional<fs::path> {
        return fs::canonical((p.*folder).path()) / rest;
    };
}
std::optional<fs::path> refused(Places&) {
    return std::nullopt;
}

const AccessRow kRows[] = {
    {"a plain file anywhere", [](Places& p) { return file(p.elsewhere / "setting.ini"); },
     FileReadStatus::Read, in(&Places::elsewhere, "setting.ini")},
    {"no file yet", [](Places& p) { return p.elsewhere / "setting.ini"; }, FileReadStatus::Missing,
     in(&Places::elsewhere, "setting.ini")},
    {"a file of exactly the limit",
     [](Places& p) { return file(p.elsewhere / "setting.ini", std::string(1000, 'x')); },
     FileReadStatus::Read, in(&Places::elsewhere, "setting.ini")},
    {"a file above the limit",
     [](Places& p) { return file(p.elsewhere / "setting.ini", std::string(1001, 'x')); },
     FileReadStatus::Refused, in(&Places::elsewhere, "setting.ini")},
    {"a FIFO",
     [](Places& p) {
         ::mkfifo((p.elsewhere / "setting.ini").c_str(), 0600);
         return p.elsewhere / "setting.ini";
     },
     FileReadStatus::Refused, refused},
    {"a folder",
     [](Places& p) {
         fs::create_directory(p.elsewhere / "setting.ini");
         return p.elsewhere / "setting.ini";
     },
     FileReadStatus::Refused, refused},
    {"a device", [](Places&) { return fs::path("/dev/zero"); }, FileReadStatus::Refused, refused},
    {"a link to a device", [](Places& p) { return link("/dev/zero", p.home / "setting.ini"); },
     FileReadStatus::Refused, refused},
    {"a link to a file in the home folder",
     [](Places& p) {
         file(p.home / "dotfiles" / "setting.ini");
         return link(p.home / "dotfiles" / "setting.ini", p.elsewhere / "setting.ini");
     },
     FileReadStatus::Read, in(&Places::home, "dotfiles/setting.ini")},
    {"a relative link to a link to a file in the program folder",
     [](Places& p) {
         file(p.program / "presets.ini");
         link("presets.ini", p.program / "middle.ini");
         return link(p.program / "middle.ini", p.elsewhere / "setting.ini");
     },
     FileReadStatus::Read, in(&Places::program, "presets.ini")},
    {"a link to a file outside the home and program folders",
     [](Places& p) {
         file(p.elsewhere / "passwd", "root:x:0:0:root:/root:/bin/bash\n");
         return link(p.elsewhere / "passwd", p.home / "setting.ini");
     },
     FileReadStatus::Refused, refused},
    {"a dangling link", [](Places& p) { return link(p.home / "gone.ini", p.home / "setting.ini"); },
     FileReadStatus::Refused, refused},
    {"a folder link into the home folder, no file yet",
     [](Places& p) {
         fs::create_directories(p.home / "dotfiles" / "quillsum");
         link(p.home / "dotfiles" / "quillsum", p.home / ".config" / "quillsum");
         return p.home / ".config" / "quillsum" / "setting.ini";
     },
     FileReadStatus::Missing, in(&Places::home, "dotfiles/quillsum/setting.ini")},
    {"a folder link out of the home folder, no file yet",
     [](Places& p) {
         link(p.elsewhere.path(), p.home / ".config" / "quillsum");
         return p.home / ".config" / "quillsum" / "setting.ini";
     },
     FileReadStatus::Missing, refused},
};

TEST(FileAccess, ReadsOnlyRegularFilesAndFollowsOnlyAllowedLinks) {
    for (const AccessRow& row : kRows) {
        SCOPED_TRACE(row.name);
        Places places;
        const fs::path path = row.make(places);
        const FileRead read = readRegularFile(path, 1000);
        EXPECT_EQ(read.status, row.read);
        EXPECT_EQ(read.bytes.empty(), row.read != FileReadStatus::Read);
        EXPECT_EQ(writeTarget(path), row.target(places));
    }
}

// The rule is about whose file it is: a link to another user's file in the home folder is
// refused even where the superuser could write it.
TEST(FileAccess, LinkToAnotherUsersFileIsRefused) {
    Places places;
    const fs::path target = file(places.home / "theirs.ini");
    if (::chown(target.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "needs the superuser";
    const fs::path path = link(target, places.home / "setting.ini");
    EXPECT_EQ(readRegularFile(path, 1000).status, FileReadStatus::Refused);
    EXPECT_EQ(writeTarget(path), std::nullopt);
}

} // namespace
} // namespace quill
