#include "settings/profile.h"

#include "settings/atomic_file.h"
#include "settings/file_access.h"
#include "settings/profile_document.h"

namespace quill {
namespace fs = std::filesystem;
namespace {

enum class Load { Missing, Read, Unreadable };

// Only a regular file of settings size is read: a FIFO, a device or a huge file is unreadable.
Load loadFile(const fs::path& file, std::string& bytes) {
    FileRead read = readRegularFile(file, kSettingsFileLimit);
    switch (read.status) {
    case FileReadStatus::Read: bytes = std::move(read.bytes); return Load::Read;
    case FileReadStatus::Missing: return Load::Missing;
    default: return Load::Unreadable;
    }
}

// A missing file starts from `startFrom` when there is one; a start file that cannot be read
// is no reason to refuse writing the missing one.
Load loadFile(const fs::path& file, const fs::path& startFrom, std::string& bytes) {
    const Load load = loadFile(file, bytes);
    if (load != Load::Missing || startFrom.empty()) return load;
    if (loadFile(startFrom, bytes) == Load::Read) return Load::Read;
    bytes.clear();
    return Load::Missing;
}

bool isLeadCp932(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The longest prefix of at most `limit` bytes that does not end inside a character.
std::size_t cutPoint(std::string_view bytes, std::size_t limit, ProfileEncoding encoding) {
    if (bytes.size() <= limit) return bytes.size();
    if (encoding == ProfileEncoding::Utf8) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
        return cut;
    }
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t width = isLeadCp932(static_cast<unsigned char>(bytes[pos])) ? 2 : 1;
        if (pos + width > limit) break;
        pos += width;
    }
    return pos;
}

} // namespace

struct Profile::Pending {
    ProfileDocument doc;
    bool refused = false; // the file exists but could not be read
    bool changed = false;
};

Profile::Profile(fs::path file, std::string section, fs::path startFrom)
    : file_(std::move(file)), section_(std::move(section)), startFrom_(std::move(startFrom)) {}

Profile::~Profile() = default;
Profile::Profile(Profile&&) noexcept = default;
Profile& Profile::operator=(Profile&&) noexcept = default;

// The document a read works on: the gathered batch, or the file as it is now.
std::optional<ProfileDocument> Profile::loadDocument() const {
    if (pending_) return pending_->doc;
    std::string bytes;
    if (loadFile(file_, startFrom_, bytes) != Load::Read) return std::nullopt;
    return ProfileDocument(bytes);
}

std::optional<std::u16string> Profile::readRaw(std::string_view key) const {
    const auto doc = loadDocument();
    if (!doc) return std::nullopt;
    const auto line = doc->findKey(section_, key);
    if (!line) return std::nullopt;
    return doc->decode(doc->valueOf(*line));
}

std::int32_t Profile::readInt(std::string_view key, std::int32_t fallback) const {
    const auto value = readRaw(key);
    return value ? leadingInteger(*value) : fallback;
}

ProfileText Profile::readText(std::string_view key, std::u16string_view fallback) const {
    const auto doc = loadDocument();
    const auto line = doc ? doc->findKey(section_, key) : std::nullopt;
    if (!line) return {std::u16string(fallback), false};
    const std::string_view value = doc->valueOf(*line);
    const std::size_t cut = cutPoint(value, kProfileTextLimit, doc->encoding());
    return {doc->decode(value.substr(0, cut)), cut < value.size()};
}

bool Profile::write(std::string_view key, std::u16string_view value) {
    const bool alone = !pending_;
    beginBatch();
    const bool accepted = !pending_->refused && pending_->doc.set(section_, key, value);
    pending_->changed = pending_->changed || accepted;
    if (!alone) return accepted;
    return commitBatch() && accepted;
}

bool Profile::remove(std::string_view key) {
    const bool alone = !pending_;
    beginBatch();
    const bool refused = pending_->refused;
    if (!refused && pending_->doc.erase(section_, key)) pending_->changed = true;
    if (!alone) return !refused;
    return commitBatch();
}

void Profile::beginBatch() {
    if (pending_) return;
    pending_ = std::make_unique<Pending>();
    std::string bytes;
    // A file that exists but cannot be read is never replaced: its content would be lost.
    pending_->refused = loadFile(file_, startFrom_, bytes) == Load::Unreadable;
    pending_->doc = ProfileDocument(bytes);
}

bool Profile::commitBatch() {
    if (!pending_) return true;
    const std::unique_ptr<Pending> pending = std::move(pending_);
    if (pending->refused) return false;
    return !pending->changed || replaceFileAtomically(file_, pending->doc.bytes());
}

std::int32_t leadingInteger(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    std::uint32_t value = 0; // wraps modulo 2^32, as the profile functions do
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - u'0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

} // namespace quill
