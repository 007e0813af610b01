#pragma once
// The lines of a profile file as bytes, with what the reader and the writer need to find a
// key: every line keeps its own bytes and line end, so lines the program does not know are
// written back exactly as they were read.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

enum class ProfileEncoding { Utf8, Cp932 };

struct ProfileLine {
    std::string bytes; // without the line end
    std::string end;   // "\r\n", "\n" or "" (last line without a line end)
};

class ProfileDocument {
public:
    // An empty document: a new UTF-8 file.
    ProfileDocument() = default;
    // The file's bytes, in the encoding detectEncoding() finds (settings/text_encoding.h).
    explicit ProfileDocument(std::string_view bytes);

    ProfileEncoding encoding() const { return encoding_; }
    std::string bytes() const;

    // Line number of the key's line in the section (first section and first key of that name,
    // both without regard to case).
    std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;
    // The value bytes of a key line up to a zero byte, without surrounding blanks.
    std::string_view valueOf(std::size_t line) const;
    std::u16string decode(std::string_view bytes) const;

    // Sets the key's value, adding the key or the section when missing. False when the value
    // holds a line break or a zero character, which would break the file apart.
    [[nodiscard]] bool set(std::string_view section, std::string_view key,
                           std::u16string_view value);
    // Removes every line of the key in the section; false when there was none.
    bool erase(std::string_view section, std::string_view key);

private:
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::size_t sectionEnd(std::size_t header) const;
    std::string encode(std::u16string_view text);
    void convertToUtf8();
    void settleEncoding();
    std::string newLineEnd() const;

    std::vector<ProfileLine> lines_;
    ProfileEncoding encoding_ = ProfileEncoding::Utf8;
    bool bom_ = false;
};

} // namespace quill
