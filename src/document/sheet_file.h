#pragma once
// Sheet files: the text of the sheet as a file on disk, in the format quillsum-calc reads.
// Written as UTF-8 with LF line ends and one final line break; read as UTF-8 when the bytes
// are valid UTF-8 (a byte-order mark is dropped) and as code page 932 otherwise (files from a
// Japanese Windows system), with CR LF and lone CR taken as line ends. Reading never changes
// anything on a failure: the caller gets the reason and keeps its sheet.
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

SheetRead readSheetFile(const std::filesystem::path& file);

// The text of a sheet file's bytes; nullopt when they are not text (a zero byte, or bytes
// that are neither UTF-8 nor code page 932).
std::optional<std::u16string> decodeSheetBytes(std::string_view bytes);

// The bytes of a sheet file: UTF-8, LF, a final line break after a non-empty text. Reading
// them back gives the same text.
std::string encodeSheetText(std::u16string_view text);

// Replaces the file atomically (the old content stays whole when the write fails).
bool writeSheetFile(const std::filesystem::path& file, std::u16string_view text);

// The status-bar text for a failed read of `fileName`.
std::u16string readErrorText(SheetReadError error, std::u16string_view fileName);

} // namespace quill
