#include "settings/atomic_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

// The id of a process that has ended.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

void makeOld(const fs::path& file) {
    const timeval old[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ::utimes(file.c_str(), old);
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct LeftoverRow {
    const char* name;
    std::string file;
    bool old = false;     // last changed an hour ago
    bool foreign = false; // owned by another user
    bool removed;
};

TEST(AtomicFile, RemovesTemporaryFilesOfKilledWritersOnly) {
    const std::string ended = std::to_string(endedProcess());
    const std::string running = std::to_string(::getppid());
    const LeftoverRow rows[] = {
        {"of an ended process", ".setting.ini." + ended + ".Ab12Cd", false, false, true},
        {"of a running process", ".setting.ini." + running + ".Ab12Cd", false, false, false},
        {"of another file in the folder", ".doc.txt." + ended + ".rFDpRY", false, false, true},
        {"of another file, running", ".doc.txt." + running + ".rFDpRY", false, false, false},
        {"no name before the process id", "." + ended + ".Ab12Cd", true, false, false},
        {"not mkstemp's letters", ".doc.txt." + ended + ".Ab-2Cd", true, false, false},
        {"of another user", ".setting.ini." + ended + ".Ab12Cd", false, true, false},
        {"without a process id", ".setting.ini.Ab12Cd", true, false, false},
        {"not a temporary name", ".setting.ini.backup", true, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        writeBytes(folder / row.file, "[Calc]\n");
        if (row.old) makeOld(folder / row.file);
        if (row.foreign && ::chown((folder / row.file).c_str(), 65534, 65534) != 0) continue;
        ASSERT_TRUE(replaceFileAtomically(folder / "setting.ini", "[Calc]\nTop=1\n"));
        EXPECT_EQ(fs::exists(folder / row.file), !row.removed);
        EXPECT_EQ(readBytes(folder / "setting.ini"), "[Calc]\nTop=1\n");
    }
}

// Writers killed at any moment of a replace: the next write leaves nothing but the file.
TEST(AtomicFile, NoTemporaryFileOutlivesAKilledWriter) {
    TempFolder folder;
    const fs::path file = folder / "setting.ini";
    const std::string big(1 << 20, 'x');
    for (int round = 0; round < 8; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;) (void)replaceFileAtomically(file, big); // killed mid-write at some point
        }
        ::usleep(static_cast<useconds_t>(2000 + 3000 * round));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_TRUE(replaceFileAtomically(file, "[Calc]\n"));
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"setting.ini"});
    EXPECT_EQ(readBytes(file), "[Calc]\n");
}

} // namespace
} // namespace quill
