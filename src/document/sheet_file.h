#pragma once
// Sheet files: the text of the sheet as a file on disk, in the format quillsum-calc reads.
// Written as UTF-8 with LF line ends and one final line break; read in the encoding the
// program's text files share the decision on (UTF-8, or code page 932 for files from a
// Japanese Windows system), with CR LF and a lone CR taken as line ends. Only regular files
// of at most kMaxSheetFileBytes are read, never blocking on a pipe or a device. Reading never
// changes anything on a failure: the caller gets the reason and keeps its sheet.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// Larger files are not opened: a sheet that size is no calculation anyone types.
constexpr std::uintmax_t kMaxSheetFileBytes = 64u * 1024u * 1024u;

// How much of a sheet a reader takes. The editor of the window, not the calculation, sets its
// limit: its time and memory grow with every line it holds (half a million lines take it about
// a second and 200 MB, sixteen million lines minutes and more than 10 GB), and a single long
// line is laid out whole. quillsum-calc reads up to its own, larger limit.
struct SheetLimits {
    std::uintmax_t bytes = kMaxSheetFileBytes; // of the file
    std::size_t characters = SIZE_MAX;         // of the sheet's text (UTF-16 units)
    std::size_t lines = SIZE_MAX;
};

// What the window's sheet holds at most: files it opens, its kept sheet, pastes and typing.
// A file larger than three bytes a character cannot be within the character limit.
constexpr SheetLimits kWindowSheetLimits{12'000'000u, 4'000'000u, 500'000u};

enum class SheetReadError { None, Missing, Folder, NotRegular, TooLarge, NotText, Unreadable };

struct SheetRead {
    std::u16string text; // the sheet's text, lines joined by LF
    SheetReadError error = SheetReadError::None;
    // How large the file is (TooLarge says so): its bytes always, its lines when it was read.
    std::uintmax_t bytes = 0;
    std::size_t lines = 0;
    bool ok() const { return error == SheetReadError::None; }
};

// A file the user chose (opened, dropped): links on its way are followed.
SheetRead readSheetFile(const std::filesystem::path& file, const SheetLimits& limits = {});

// The number of lines of a sheet's text (lines joined by LF): an empty text has one.
std::size_t lineCount(std::u16string_view text);

struct FileRead;
// A sheet from what the file reader returned for `file`, refused as TooLarge past `limits`.
SheetRead sheetFromBytes(const FileRead& read, const std::filesystem::path& file,
                         const SheetLimits& limits = {});

// The text of a sheet file's bytes; nullopt when they are not text (a zero byte, or bytes
// that are neither UTF-8 nor code page 932).
std::optional<std::u16string> decodeSheetBytes(std::string_view bytes);

// The bytes of a sheet file: UTF-8, LF, a final line break after a non-empty text. Reading
// them back gives the same text (a byte-order mark is added where the encoding decision
// would otherwise take them for code page 932).
std::string encodeSheetText(std::u16string_view text);

// Replaces a file the user chose atomically (the old content stays whole when the write
// fails); links on its way are followed and the file they lead to is replaced.
[[nodiscard]] bool writeSheetFile(const std::filesystem::path& file, std::u16string_view text);

// The status-bar text for a failed read of `fileName`.
std::u16string readErrorText(SheetReadError error, std::u16string_view fileName);

// The status-bar text for a file or a text past the window's limits: how large it is, what the
// window holds, and that quillsum-calc reads it. `lines` 0: not counted (the file was not read);
// an empty `fileName` is left out.
std::u16string tooLargeText(std::u16string_view fileName, std::uintmax_t bytes, std::size_t lines);
// The same for an edit (a paste, a drop, typing) that would make the sheet that large.
std::u16string editTooLargeText(std::size_t lines, std::size_t characters);

} // namespace quill
