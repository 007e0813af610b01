#pragma once
// Whether a rewrite of the settings file kept the lines it had no business touching: every
// line of the old file that names none of the written keys must still be in the new file, in
// the same order, with the same text. Lines are compared as text, so a file carried over from
// code page 932 to UTF-8 still matches.
#include "settings/profile_document.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quill::fuzz {

inline std::u16string_view trimmedName(std::u16string_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
    return s;
}

inline bool sameAsciiName(std::u16string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto fold = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// A line naming one of the keys, in any section (a write may drop duplicates of its key).
inline bool namesKey(std::u16string_view line, std::span<const std::string_view> keys) {
    const auto eq = line.find(u'=');
    if (eq == line.npos) return false;
    const auto name = trimmedName(line.substr(0, eq));
    for (std::string_view key : keys)
        if (sameAsciiName(name, key)) return true;
    return false;
}

// The lines of a file as text. Trailing CRs are dropped: a last line ending in CR reads as a
// CR LF line once a line is added after it.
inline std::vector<std::u16string> textLines(std::string_view bytes) {
    const ProfileDocument doc{std::string(bytes)};
    std::vector<std::u16string> lines;
    std::size_t start = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (start <= bytes.size()) {
        const std::size_t nl = bytes.find('\n', start);
        std::string_view line = bytes.substr(start, nl == bytes.npos ? nl : nl - start);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(doc.decode(line));
        if (nl == bytes.npos) break;
        start = nl + 1;
    }
    if (!lines.empty() && lines.back().empty()) lines.pop_back(); // the final line end
    return lines;
}

// The first old line that did not survive, or nullopt when all did.
inline std::optional<std::u16string> lostLine(std::string_view before, std::string_view after,
                                              std::span<const std::string_view> writtenKeys) {
    const auto oldLines = textLines(before);
    const auto newLines = textLines(after);
    std::size_t j = 0;
    for (const auto& line : oldLines) {
        if (namesKey(line, writtenKeys)) continue;
        while (j < newLines.size() && newLines[j] != line) ++j;
        if (j == newLines.size()) return line;
        ++j;
    }
    return std::nullopt;
}

} // namespace quill::fuzz
