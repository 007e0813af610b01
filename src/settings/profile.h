#pragma once
// A profile (INI) file with the Windows private-profile rules the settings file relies on:
// section and key names match without regard to case, values lose their surrounding blanks,
// integers are read from the value's leading number, text reads stop at 2047 bytes, and
// every line the program does not know is written back byte for byte.
//
// Nothing is cached: every read reads the file and every write replaces it. Only a regular
// file of at most kSettingsFileLimit bytes is read (settings/file_access.h); anything else
// reads as unreadable: every key takes its default and writes are refused, so its content is
// never lost. A file is read
// as UTF-8 or as code page 932 (a file carried over from a Japanese Windows system) as
// detectEncoding() decides; it is written back in the encoding it was read in, and a new file
// is UTF-8 (with a byte order mark only when its text would otherwise read as code page 932).
// Writes are atomic and durable (temporary file beside, fsync, rename), so a crash or a full disk
// never leaves a cut or empty file.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

class ProfileDocument;

// Text reads return at most this many bytes of the value, counted in the file's encoding.
constexpr std::size_t kProfileTextLimit = 2047;

struct ProfileText {
    std::u16string text;
    bool cut = false; // the stored value was longer than kProfileTextLimit bytes
};

class Profile {
public:
    // `startFrom`: a file whose content reads (and is written on from) while `file` does not
    // exist yet, such as presets beside a program the user cannot change.
    explicit Profile(std::filesystem::path file, std::string section = "Calc",
                     std::filesystem::path startFrom = {});
    ~Profile();
    Profile(Profile&&) noexcept;
    Profile& operator=(Profile&&) noexcept;

    const std::filesystem::path& file() const { return file_; }

    // The key's value without surrounding blanks, whole (no byte limit); nullopt when the
    // file, the section or the key is missing.
    std::optional<std::u16string> readRaw(std::string_view key) const;

    // The leading optionally signed decimal number of the value ("1234.5" reads 1234, a
    // value without a leading number reads 0); `fallback` when the key is absent.
    std::int32_t readInt(std::string_view key, std::int32_t fallback) const;

    // The value cut at kProfileTextLimit bytes (never inside a character); `fallback` when
    // the key is absent.
    ProfileText readText(std::string_view key, std::u16string_view fallback = u"") const;

    // Replaces the key's value, adding the section, the key or the file when missing. False
    // when the write was refused or failed (read-only file or folder, full disk); the file is
    // then unchanged.
    [[nodiscard]] bool write(std::string_view key, std::u16string_view value);

    // Removes the key's line. True when the key is gone afterwards.
    [[nodiscard]] bool remove(std::string_view key);

    // Gathers the writes and removals that follow into one replace of the file, made by
    // commitBatch() (the close sequence writes some twenty keys). Reads in between see the
    // gathered changes. Until the commit, a write returns true when it was accepted, and the
    // commit says whether the file really was written. Batches do not nest.
    void beginBatch();
    [[nodiscard]] bool commitBatch();

private:
    struct Pending;

    std::optional<ProfileDocument> loadDocument() const;

    std::filesystem::path file_;
    std::string section_;
    std::filesystem::path startFrom_;
    std::unique_ptr<Pending> pending_;
};

// The leading optionally signed decimal number of a text, 0 when there is none; larger
// numbers wrap to 32 bits as the Windows profile functions do (4294967295 reads -1).
std::int32_t leadingInteger(std::u16string_view text);

} // namespace quill
