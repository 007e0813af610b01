#pragma once
// Reading and replacing the program's own files (the settings file, the kept sheet) when the
// path may name something hostile: a FIFO that never answers, a device that never ends, a huge
// file, or a link to a file the program has no business changing.
//
// - Only regular files are read. The path is checked before it is opened, the file is opened
//   without blocking and checked again, and a file larger than the caller's limit is refused
//   whole: never read in part, so a write that follows a read can never cut it.
// - A path that involves no link is taken as it stands. A link (of the file or of a folder on
//   its way) is followed only to a regular file of this user inside their home folder or the
//   program folder; a new file may be made there too. Anything else is refused, for reading
//   and for writing alike, and so is a dangling link.
// - A write goes to the link's final place: the caller makes its temporary file beside that
//   place and renames it there, so the link itself stays a link.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace quill {

// The settings file is a few kB; anything above this is no settings file of ours.
constexpr std::size_t kSettingsFileLimit = std::size_t{1} << 20;

enum class FileReadStatus {
    Read,    // `bytes` holds the whole file
    Missing, // nothing at the path
    Refused, // not a regular file, larger than the limit, or behind a link that is not allowed
    Failed,  // the file could not be opened or read (permissions, I/O error)
};

struct FileRead {
    FileReadStatus status = FileReadStatus::Missing;
    std::string bytes;
};

// The whole content of the regular file at `file` when it holds at most `limit` bytes. Never
// blocks on a FIFO or a device and never reads more than `limit` + 1 bytes.
FileRead readRegularFile(const std::filesystem::path& file, std::size_t limit);

// Where a write of `file` may put the new content: the path itself when no link is involved,
// else the final place the links lead to when the link rules above allow it. nullopt when the
// write must be refused: a link leading elsewhere, a dangling link, or something other than a
// regular file at the final place. Whether the place is writable is the writer's check.
std::optional<std::filesystem::path> writeTarget(const std::filesystem::path& file);

// Why writeTarget() refuses `file`, so that a message can say it; None when it does not.
enum class WriteRefusal {
    None,
    Unresolvable,  // the path cannot be made absolute or resolved
    DanglingLink,  // a link that leads to nothing
    LinkElsewhere, // a link to a place outside the home and program folders, or to a file
                   // of another user
    NotRegular,    // a folder, a device, a pipe
};
WriteRefusal writeRefusal(const std::filesystem::path& file);

} // namespace quill
