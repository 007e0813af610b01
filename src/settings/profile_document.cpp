#include "settings/profile_document.h"

#include "engine/jtext.h"
#include "settings/text_encoding.h"

namespace quill {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

template <typename Char> std::basic_string_view<Char> trimBlanks(std::basic_string_view<Char> s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

char16_t foldAscii(char16_t c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

// Names match without regard to the case of ASCII letters.
template <typename Char> bool sameName(std::basic_string_view<Char> a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(a[i]));
        const auto cb = static_cast<char16_t>(static_cast<unsigned char>(b[i]));
        if (foldAscii(ca) != foldAscii(cb)) return false;
    }
    return true;
}

// The key of a "key=value" line. '=' never occurs inside a multibyte character of either
// encoding, so the bytes can be searched directly.
std::optional<std::string_view> keyOf(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const auto key = trimBlanks(line.substr(0, eq));
    if (!key.empty() && key.front() == '[') return std::nullopt;
    return key;
}

// A line break or a zero character inside a value would split it into lines of its own.
bool breaksLines(std::u16string_view value) {
    constexpr char16_t breaking[] = {u'\r', u'\n', u'\0'};
    return value.find_first_of(std::u16string_view(breaking, 3)) != std::u16string_view::npos;
}

std::string joined(std::string_view a, std::string_view b, std::string_view c) {
    std::string s;
    s.reserve(a.size() + b.size() + c.size());
    s.append(a).append(b).append(c);
    return s;
}

} // namespace

ProfileDocument::ProfileDocument(std::string_view bytes) {
    if (bytes.substr(0, kBom.size()) == kBom) {
        bom_ = true;
        bytes.remove_prefix(kBom.size());
    }
    encoding_ = bom_ || detectEncoding(bytes) == TextEncoding::Utf8 ? ProfileEncoding::Utf8
                                                                    : ProfileEncoding::Cp932;
    while (!bytes.empty()) {
        const auto nl = bytes.find('\n');
        std::string_view line = bytes.substr(0, nl);
        std::string end = nl == std::string_view::npos ? "" : "\n";
        if (!end.empty() && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            end = "\r\n";
        }
        lines_.push_back({std::string(line), end});
        bytes.remove_prefix(nl == std::string_view::npos ? bytes.size() : nl + 1);
    }
}

std::string ProfileDocument::bytes() const {
    std::string out = bom_ ? std::string(kBom) : std::string();
    for (const auto& line : lines_) out += line.bytes + line.end;
    return out;
}

std::u16string ProfileDocument::decode(std::string_view bytes) const {
    return encoding_ == ProfileEncoding::Utf8 ? fromUtf8(bytes) : decodeCp932(bytes);
}

std::optional<std::size_t> ProfileDocument::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (trimBlanks(std::string_view(lines_[i].bytes)).substr(0, 1) != "[") continue;
        // A trail byte of code page 932 may look like ']': look for it in the decoded text.
        const std::u16string text = decode(lines_[i].bytes);
        const auto trimmed = trimBlanks(std::u16string_view(text));
        const auto close = trimmed.find(u']');
        if (close == std::u16string_view::npos) continue;
        if (sameName(trimBlanks(trimmed.substr(1, close - 1)), section)) return i;
    }
    return std::nullopt;
}

std::size_t ProfileDocument::sectionEnd(std::size_t header) const {
    for (std::size_t i = header + 1; i < lines_.size(); ++i)
        if (trimBlanks(std::string_view(lines_[i].bytes)).substr(0, 1) == "[") return i;
    return lines_.size();
}

std::optional<std::size_t> ProfileDocument::findKey(std::string_view section,
                                                    std::string_view key) const {
    const auto header = findSection(section);
    if (!header) return std::nullopt;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto name = keyOf(lines_[i].bytes);
        if (name && sameName(*name, key)) return i;
    }
    return std::nullopt;
}

// A value ends at a zero byte, as the profile functions' texts do: a zero character could
// never be written back, so a text read with one (a formula list) would make every later
// write of that key fail.
std::string_view ProfileDocument::valueOf(std::size_t line) const {
    std::string_view bytes = lines_.at(line).bytes;
    const auto eq = bytes.find('=');
    if (eq == std::string_view::npos) return std::string_view();
    bytes.remove_prefix(eq + 1);
    return trimBlanks(bytes.substr(0, bytes.find('\0')));
}

std::string ProfileDocument::newLineEnd() const {
    for (const auto& line : lines_)
        if (!line.end.empty()) return line.end;
    return "\n";
}

void ProfileDocument::convertToUtf8() {
    for (auto& line : lines_) line.bytes = toUtf8(decodeCp932(line.bytes));
    encoding_ = ProfileEncoding::Utf8;
}

// A value that code page 932 cannot hold would be stored as "?" and lost; the file is then
// carried over to UTF-8 as a whole (every line keeps its text), which it reads back as.
std::string ProfileDocument::encode(std::u16string_view text) {
    if (encoding_ == ProfileEncoding::Cp932) {
        if (auto bytes = encodeCp932Strict(text)) return *std::move(bytes);
        convertToUtf8();
    }
    return toUtf8(text);
}

bool ProfileDocument::set(std::string_view section, std::string_view key,
                          std::u16string_view value) {
    if (breaksLines(value)) return false;
    const std::string encoded = encode(value);
    if (const auto line = findKey(section, key)) {
        lines_[*line].bytes = joined(*keyOf(lines_[*line].bytes), "=", encoded);
        settleEncoding();
        return true;
    }
    const std::string end = newLineEnd();
    std::vector<ProfileLine> added;
    std::size_t at = lines_.size();
    if (const auto header = findSection(section)) {
        // New keys go after the section's last non-blank line, before blank lines that
        // separate it from the next section.
        at = sectionEnd(*header);
        while (at > *header + 1 && trimBlanks(std::string_view(lines_[at - 1].bytes)).empty()) --at;
    } else {
        added.push_back({joined("[", section, "]"), end});
    }
    added.push_back({joined(key, "=", encoded), end});
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    settleEncoding();
    return true;
}

bool ProfileDocument::erase(std::string_view section, std::string_view key) {
    bool erased = false;
    while (const auto line = findKey(section, key)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
        erased = true;
    }
    if (erased) settleEncoding();
    return erased;
}

// After a change the file must read back in the encoding it is written in. A code page 932
// file whose only bytes that are not UTF-8 were just replaced could read back as UTF-8, and
// its other lines would change their text: it is carried over to UTF-8 now, with the text it
// has, so the next read sees what this one saw. A UTF-8 file that would read back as code
// page 932 (its only non-ASCII text a "°C") gets a byte order mark.
void ProfileDocument::settleEncoding() {
    std::string all = bytes();
    if (bom_) all.erase(0, kBom.size());
    if (encoding_ == ProfileEncoding::Cp932) {
        if (detectEncoding(all) != TextEncoding::Utf8) return;
        convertToUtf8();
        all = bytes();
    }
    if (!bom_ && detectEncoding(all) != TextEncoding::Utf8) bom_ = true;
}

} // namespace quill
