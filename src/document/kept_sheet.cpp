#include "document/kept_sheet.h"

#include "settings/atomic_file.h"
#include "settings/file_access.h"
#include "settings/program_folder.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>

namespace quill {
namespace fs = std::filesystem;
namespace {

// Renames `from` to `to` only when nothing is called `to` yet.
bool renameWithoutReplacing(const fs::path& from, const fs::path& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    // A file system without the no-replace rename: check first (a race with a second
    // instance setting aside the same moment is the only way to lose here).
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) {
        errno = EEXIST;
        return false;
    }
    fs::rename(from, to, ec);
    return !ec;
}

// Moves an unreadable kept sheet aside under a name no earlier one holds: "sheet-unread.txt",
// then "sheet-unread-2.txt" and on. Empty when it could not be moved.
fs::path setAside(const fs::path& file) {
    constexpr int kMostTries = 1000;
    const fs::path folder = file.parent_path();
    for (int n = 1; n <= kMostTries; ++n) {
        const std::string suffix = n == 1 ? "" : "-" + std::to_string(n);
        const fs::path place = folder / ("sheet-unread" + suffix + ".txt");
        if (renameWithoutReplacing(file, place)) return place;
        if (errno != EEXIST) return {};
    }
    return {};
}

} // namespace

fs::path keptSheetPath() {
    return iniPath().parent_path() / "sheet.txt";
}

KeptSheetLoad loadKeptSheet(const fs::path& file, const SheetLimits& limits) {
    // The program's own file: the link rules of its files apply.
    SheetRead read = sheetFromBytes(readRegularFile(file, limits.bytes), file, limits);
    if (read.error == SheetReadError::Missing) return {};
    KeptSheetLoad load{std::move(read.text), read.error, {}, read.bytes, read.lines};
    if (read.ok()) return load;
    load.setAside = setAside(file);
    return load;
}

bool writeKeptSheet(const fs::path& file, std::u16string_view text) {
    return replaceFileAtomically(file, encodeSheetText(text));
}

bool forgetKeptSheet(const fs::path& file) {
    std::error_code ec;
    fs::remove(file, ec);
    return !fs::exists(fs::symlink_status(file, ec));
}

BackgroundWriter::BackgroundWriter(fs::path file, Done done)
    : file_(std::move(file)), done_(std::move(done)), thread_([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundWriter::submit(std::u16string text) {
    {
        const std::lock_guard lock(mutex_);
        waiting_ = std::move(text);
    }
    wake_.notify_one();
}

void BackgroundWriter::wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !waiting_ && !writing_; });
}

void BackgroundWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return waiting_ || stopping_; });
        if (!waiting_) return; // stopping with nothing left to write
        std::u16string text = std::move(*waiting_);
        waiting_.reset();
        writing_ = true;
        lock.unlock();
        const bool ok = writeKeptSheet(file_, text);
        if (done_) done_(ok);
        lock.lock();
        writing_ = false;
        idle_.notify_all();
    }
}

} // namespace quill
