#include "settings/file_access.h"

#include "settings/program_folder.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quill {
namespace fs = std::filesystem;
namespace {

// Where a path leads once every link on its way is followed.
struct Place {
    fs::path path;
    bool viaLink = false; // some link (or a ".." over one) was followed on the way
    bool exists = false;
    struct stat st {};
};

bool isInside(const fs::path& place, const fs::path& root) {
    if (root.empty() || root == root.root_path()) return false; // "/" holds everything
    const auto [r, p] = std::mismatch(root.begin(), root.end(), place.begin(), place.end());
    return r == root.end();
}

fs::path canonicalOrEmpty(const fs::path& folder) {
    std::error_code ec;
    fs::path c = fs::canonical(folder, ec);
    return ec ? fs::path() : c;
}

// A link may lead to a regular file of this user inside their home or the program folder (a
// dot-file manager's link), or to a place there where a new file will be made.
bool linkAllowed(const Place& place) {
    const bool inside = isInside(place.path, canonicalOrEmpty(homeFolder())) ||
                        isInside(place.path, canonicalOrEmpty(programFolder()));
    if (!inside) return false;
    return !place.exists || (S_ISREG(place.st.st_mode) && place.st.st_uid == ::geteuid());
}

// nullopt for a path that cannot be resolved or a dangling link.
std::optional<Place> locate(const fs::path& file) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(file, ec).lexically_normal();
    if (ec) return std::nullopt;
    struct stat own {};
    const bool present = ::lstat(absolute.c_str(), &own) == 0;
    Place place;
    place.path = fs::weakly_canonical(absolute, ec);
    if (ec) return std::nullopt;
    place.viaLink = place.path != absolute;
    place.exists = ::stat(place.path.c_str(), &place.st) == 0;
    if (present && S_ISLNK(own.st_mode) && !place.exists) return std::nullopt;
    return place;
}

bool allowed(const Place& place) {
    return !place.viaLink || linkAllowed(place);
}

FileReadStatus readOpened(int fd, std::size_t limit, std::string& bytes) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return FileReadStatus::Failed;
    if (!S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) > limit)
        return FileReadStatus::Refused;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FileReadStatus::Failed;
        if (n == 0) return FileReadStatus::Read;
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() + static_cast<std::size_t>(n) > limit) return FileReadStatus::Refused;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace

FileRead readRegularFile(const fs::path& file, std::size_t limit) {
    FileRead result;
    struct stat own {};
    if (::lstat(file.c_str(), &own) != 0) {
        result.status =
            errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : FileReadStatus::Failed;
        return result;
    }
    const auto place = locate(file);
    if (!place || !allowed(*place) || !place->exists) {
        result.status = FileReadStatus::Refused;
        return result;
    }
    // Checked before opening, so a FIFO or a device is never opened at all; the check after
    // opening catches a file swapped in between.
    if (!S_ISREG(place->st.st_mode) || static_cast<std::size_t>(place->st.st_size) > limit) {
        result.status = FileReadStatus::Refused;
        return result;
    }
    const int fd =
        ::open(place->path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ELOOP ? FileReadStatus::Refused : FileReadStatus::Failed;
        return result;
    }
    result.status = readOpened(fd, limit, result.bytes);
    ::close(fd);
    if (result.status != FileReadStatus::Read) result.bytes.clear();
    return result;
}

std::optional<fs::path> writeTarget(const fs::path& file) {
    const auto place = locate(file);
    if (!place || !allowed(*place)) return std::nullopt;
    if (place->exists && !S_ISREG(place->st.st_mode)) return std::nullopt;
    return place->path;
}

WriteRefusal writeRefusal(const fs::path& file) {
    const auto place = locate(file);
    if (!place) {
        struct stat own {};
        const bool link = ::lstat(file.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
        return link ? WriteRefusal::DanglingLink : WriteRefusal::Unresolvable;
    }
    if (place->exists && !S_ISREG(place->st.st_mode)) return WriteRefusal::NotRegular;
    if (!allowed(*place)) return WriteRefusal::LinkElsewhere;
    return WriteRefusal::None;
}

} // namespace quill
