#include "document/sheet_file.h"

#include "engine/jtext.h"
#include "settings/atomic_file.h"
#include "settings/file_access.h"
#include "settings/text_encoding.h"
#include "sheet/incoming_text.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace quill {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The sheet's own lines: a file's text enters the sheet as any text does (CR LF, a lone CR and
// the other line separators end a line, control characters are dropped); one final line break
// ends the last line and does not start another.
std::u16string toSheetLines(std::u16string lines) {
    if (needsCleaning(lines)) lines = cleanIncomingText(lines);
    if (!lines.empty() && lines.back() == u'\n') lines.pop_back();
    return lines;
}

// The file the user chose, with the links on its way followed: the user picked it, so the
// link rules for the program's own files do not apply.
fs::path chosenFile(const fs::path& file) {
    std::error_code ec;
    const fs::path place = fs::weakly_canonical(fs::absolute(file, ec), ec);
    return ec ? file : place;
}

// Why a file was refused: the reader says only that it was. `bytes`: the file's size.
SheetReadError refusalOf(const fs::path& file, const SheetLimits& limits, std::uintmax_t& bytes) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return SheetReadError::Unreadable;
    if (S_ISDIR(st.st_mode)) return SheetReadError::Folder;
    bytes = std::uintmax_t(st.st_size);
    if (S_ISREG(st.st_mode) && bytes > limits.bytes) return SheetReadError::TooLarge;
    return SheetReadError::NotRegular;
}

// "12.3MB", "512KB": a size as a person reads it.
std::u16string sizeText(std::uintmax_t bytes) {
    char text[32];
    if (bytes >= 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1fMB", double(bytes) / (1024.0 * 1024.0));
    else
        std::snprintf(text, sizeof text, "%juKB", (bytes + 1023) / 1024);
    return fromUtf8(text);
}

// "1,234,567"
std::u16string countText(std::uintmax_t n) {
    std::u16string digits = fromUtf8(std::to_string(n));
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), 1, u',');
    return digits;
}

} // namespace

std::optional<std::u16string> decodeSheetBytes(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    if (detectEncoding(bytes) == TextEncoding::Cp932) {
        const std::u16string text = decodeCp932(bytes);
        // Code page 932 gives every byte sequence it knows a character; the rest is no text.
        if (text.find(u'\uFFFD') != std::u16string::npos) return std::nullopt;
        return toSheetLines(text);
    }
    // Without a byte-order mark the decision has already found the bytes valid UTF-8.
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        if (!isValidUtf8(bytes)) return std::nullopt;
    }
    return toSheetLines(fromUtf8(bytes));
}

std::size_t lineCount(std::u16string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')) + 1;
}

SheetRead sheetFromBytes(const FileRead& file, const fs::path& path, const SheetLimits& limits) {
    SheetRead read;
    switch (file.status) {
    case FileReadStatus::Read: break;
    case FileReadStatus::Missing: read.error = SheetReadError::Missing; return read;
    case FileReadStatus::Refused: read.error = refusalOf(path, limits, read.bytes); return read;
    case FileReadStatus::Failed: read.error = SheetReadError::Unreadable; return read;
    }
    read.bytes = file.bytes.size();
    auto text = decodeSheetBytes(file.bytes);
    if (!text) {
        read.error = SheetReadError::NotText;
        return read;
    }
    read.lines = lineCount(*text);
    if (read.lines > limits.lines || text->size() > limits.characters)
        read.error = SheetReadError::TooLarge;
    else
        read.text = std::move(*text);
    return read;
}

SheetRead readSheetFile(const fs::path& file, const SheetLimits& limits) {
    const fs::path place = chosenFile(file);
    return sheetFromBytes(readRegularFile(place, limits.bytes), place, limits);
}

std::string encodeSheetText(std::u16string_view text) {
    std::string bytes = toUtf8(text);
    if (!bytes.empty()) bytes += '\n';
    // UTF-8 that the encoding decision would take for code page 932 ("¥1,000" looks like
    // two half-width katakana there) carries a byte-order mark, so that it reads back as
    // written.
    if (detectEncoding(bytes) != TextEncoding::Utf8) bytes.insert(0, kUtf8Bom);
    return bytes;
}

bool writeSheetFile(const fs::path& file, std::u16string_view text) {
    return replaceFileAtomically(chosenFile(file), encodeSheetText(text));
}

std::u16string readErrorText(SheetReadError error, std::u16string_view fileName) {
    std::u16string reason;
    switch (error) {
    case SheetReadError::None: return {};
    case SheetReadError::Missing: reason = u"ファイルが見つかりません"; break;
    case SheetReadError::Folder: reason = u"フォルダは開けません"; break;
    case SheetReadError::NotRegular: reason = u"通常のファイルではないため開けません"; break;
    case SheetReadError::TooLarge:
        reason = u"ファイルが大きすぎるため開けません（64MBまで）";
        break;
    case SheetReadError::NotText: reason = u"テキストファイルではないため開けません"; break;
    case SheetReadError::Unreadable: reason = u"ファイルを読み込めません"; break;
    }
    return reason + u"：" + std::u16string(fileName);
}

namespace {

std::u16string windowLimitText() {
    return u"この画面では" + countText(kWindowSheetLimits.lines) + u"行・" +
           countText(kWindowSheetLimits.characters) + u"文字まで";
}

} // namespace

std::u16string tooLargeText(std::u16string_view fileName, std::uintmax_t bytes, std::size_t lines) {
    std::u16string size = sizeText(bytes);
    if (lines > 0) size += u"・" + countText(lines) + u"行";
    std::u16string text = u"大きすぎるため開けません（" + size + u"。" + windowLimitText() +
                          u"。quillsum-calc なら計算できます）";
    if (!fileName.empty()) text += u"：" + std::u16string(fileName);
    return text;
}

std::u16string editTooLargeText(std::size_t lines, std::size_t characters) {
    return u"計算部が大きくなりすぎるため入力できません（" + countText(lines) + u"行・" +
           countText(characters) + u"文字。" + windowLimitText() + u"）";
}

} // namespace quill
