#include "document/sheet_file.h"

#include "document/bounded_read.h"
#include "engine/jtext.h"
#include "settings/atomic_file.h"

namespace quill {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// CR LF and a lone CR end a line as LF does; one final line break ends the last line and
// does not start another.
std::u16string toSheetLines(std::u16string text) {
    std::u16string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r') {
            lines += text[i];
            continue;
        }
        lines += u'\n';
        if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    }
    if (!lines.empty() && lines.back() == u'\n') lines.pop_back();
    return lines;
}

SheetReadError errorOf(BoundedRead read) {
    switch (read) {
    case BoundedRead::Read: return SheetReadError::None;
    case BoundedRead::Missing: return SheetReadError::Missing;
    case BoundedRead::Folder: return SheetReadError::Folder;
    case BoundedRead::NotRegular: return SheetReadError::NotRegular;
    case BoundedRead::TooLarge: return SheetReadError::TooLarge;
    case BoundedRead::Unreadable: return SheetReadError::Unreadable;
    }
    return SheetReadError::Unreadable;
}

// The one place a sheet file's bytes are fetched.
BoundedRead fetchBytes(const std::filesystem::path& file, std::string& bytes) {
    return readFileBounded(file, kMaxSheetFileBytes, bytes);
}

} // namespace

std::optional<std::u16string> decodeSheetBytes(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    if (isValidUtf8(bytes)) return toSheetLines(fromUtf8(bytes));
    std::u16string text = decodeCp932(bytes);
    // Code page 932 gives every byte sequence it knows a character; the rest is no text.
    if (text.find(u'\uFFFD') != std::u16string::npos) return std::nullopt;
    return toSheetLines(std::move(text));
}

SheetRead readSheetFile(const std::filesystem::path& file) {
    std::string bytes;
    SheetRead read;
    read.error = errorOf(fetchBytes(file, bytes));
    if (!read.ok()) return read;
    if (auto text = decodeSheetBytes(bytes))
        read.text = std::move(*text);
    else
        read.error = SheetReadError::NotText;
    return read;
}

std::string encodeSheetText(std::u16string_view text) {
    std::string bytes = toUtf8(text);
    if (!bytes.empty()) bytes += '\n';
    return bytes;
}

bool writeSheetFile(const std::filesystem::path& file, std::u16string_view text) {
    return replaceFileAtomically(file, encodeSheetText(text));
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
