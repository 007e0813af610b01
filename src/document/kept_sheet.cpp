#include "document/kept_sheet.h"

#include "settings/atomic_file.h"
#include "settings/file_access.h"
#include "settings/program_folder.h"

namespace quill {
namespace fs = std::filesystem;

fs::path keptSheetPath() {
    return iniPath().parent_path() / "sheet.txt";
}

KeptSheetLoad loadKeptSheet(const fs::path& file) {
    // The program's own file: the link rules of its files apply.
    SheetRead read = sheetFromBytes(readRegularFile(file, kMaxSheetFileBytes), file);
    if (read.error == SheetReadError::Missing) return {};
    KeptSheetLoad load{std::move(read.text), read.error, {}};
    if (read.ok()) return load;
    load.setAside = file.parent_path() / "sheet-unread.txt";
    std::error_code ec;
    fs::rename(file, load.setAside, ec);
    if (ec) load.setAside.clear();
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
