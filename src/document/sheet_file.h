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

enum class SheetReadError { None, Missing, Folder, NotRegular, TooLarge, NotText, Unreadable };

struct SheetRead {
    std::u16string text; // the sheet's text, lines joined by LF
    SheetReadError error = SheetReadError::None;
    bool ok() const { return error == SheetReadError::None; }
};

// A file the user chose (opened, dropped): links on its way are followed.
SheetRead readSheetFile(const std::filesystem::path& file);

struct FileRead;
// A sheet from what the file reader returned for `file`.
SheetRead sheetFromBytes(const FileRead& read, const std::filesystem::path& file);

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

} // namespace quill
