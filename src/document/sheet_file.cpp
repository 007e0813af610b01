#include "document/sheet_file.h"

#include "engine/jtext.h"
#include "settings/atomic_file.h"
#include "settings/file_access.h"
#include "settings/text_encoding.h"
#include "sheet/incoming_text.h"

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

// Why a file was refused: the reader says only that it was.
SheetReadError refusalOf(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return SheetReadError::Unreadable;
    if (S_ISDIR(st.st_mode)) return SheetReadError::Folder;
    if (S_ISREG(st.st_mode) && std::uintmax_t(st.st_size) > kMaxSheetFileBytes)
        return SheetReadError::TooLarge;
    return SheetReadError::NotRegular;
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

SheetRead sheetFromBytes(const FileRead& file, const fs::path& path) {
    SheetRead read;
    switch (file.status) {
    case FileReadStatus::Read: break;
    case FileReadStatus::Missing: read.error = SheetReadError::Missing; return read;
    case FileReadStatus::Refused: read.error = refusalOf(path); return read;
    case FileReadStatus::Failed: read.error = SheetReadError::Unreadable; return read;
    }
    if (auto text = decodeSheetBytes(file.bytes))
        read.text = std::move(*text);
    else
        read.error = SheetReadError::NotText;
    return read;
}

SheetRead readSheetFile(const fs::path& file) {
    const fs::path place = chosenFile(file);
    return sheetFromBytes(readRegularFile(place, kMaxSheetFileBytes), place);
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

} // namespace quill
