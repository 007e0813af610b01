#pragma once
// The kept sheet: the sheet's text in "sheet.txt" beside the settings file, put back at the
// next start. Writes go through a thread of their own, so that a long sheet never holds up
// typing while it is written and flushed to disk.
#include "document/sheet_file.h"

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace quill {

// "sheet.txt" in the folder of the settings file.
std::filesystem::path keptSheetPath();

struct KeptSheetLoad {
    std::u16string text;
    SheetReadError error = SheetReadError::None; // Missing is no error: the sheet starts empty
    std::filesystem::path setAside;              // where an unreadable kept sheet was moved
    std::uintmax_t bytes = 0;                    // how large a TooLarge one is
    std::size_t lines = 0;
};

// The kept sheet's text. One that exists but cannot be read is moved aside to
// "sheet-unread.txt" beside it, so that the next write cannot destroy what it held; a file set
// aside earlier is never replaced: the next one is "sheet-unread-2.txt", and so on.
// One past `limits` is set aside the same way.
KeptSheetLoad loadKeptSheet(const std::filesystem::path& file, const SheetLimits& limits = {});

// Replaces the kept sheet atomically; false (the old file whole) when that failed.
bool writeKeptSheet(const std::filesystem::path& file, std::u16string_view text);

// Removes the kept sheet; true when it is gone.
bool forgetKeptSheet(const std::filesystem::path& file);

// Writes submitted texts to one file on a thread of its own, the newest text only: a text
// submitted while an older one waits replaces it.
class BackgroundWriter {
public:
    // Told on the writer's thread whether each write succeeded.
    using Done = std::function<void(bool ok)>;

    explicit BackgroundWriter(std::filesystem::path file, Done done = {});
    // Writes what is still waiting, then ends the thread.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    const std::filesystem::path& file() const { return file_; }

    // Returns at once.
    void submit(std::u16string text);
    // Blocks until every submitted text is written or replaced by a newer one.
    void wait();

private:
    void run();

    std::filesystem::path file_;
    Done done_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<std::u16string> waiting_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace quill
