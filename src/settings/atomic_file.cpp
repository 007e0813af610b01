#include "settings/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace quill {
namespace fs = std::filesystem;
namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The rename is only durable once the folder's entry is on disk too.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

fs::path resolveLinks(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_symlink(file, ec)) return file;
    fs::path target = fs::weakly_canonical(file, ec);
    return ec ? file : target;
}

// The temporary file gets the final file's mode (and owner, where allowed) before it is
// renamed, so a replace never widens or narrows access.
bool copyAccess(int fd, const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return ::fchmod(fd, 0644) == 0;
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // Only the superuser may give a file away; an ordinary user's file stays theirs.
    }
    return ::fchmod(fd, st.st_mode & 07777) == 0;
}

bool writeTemporary(const fs::path& folder, const fs::path& target, std::string_view bytes,
                    std::string& tempName) {
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    tempName = (folder / name).string();
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        tempName.clear();
        return false;
    }
    const bool ok = copyAccess(fd, target) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
}

} // namespace

bool isWritable(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if ((st.st_mode & 0222) == 0) return false;
    return ::access(path.c_str(), W_OK) == 0;
}

bool replaceFileAtomically(const fs::path& file, std::string_view bytes) {
    const fs::path target = resolveLinks(file);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    if (!fs::exists(folder, ec)) fs::create_directories(folder, ec);
    if (!isWritable(folder)) return false;
    if (fs::exists(target, ec) && (!fs::is_regular_file(target, ec) || !isWritable(target)))
        return false;

    std::string tempName;
    if (!writeTemporary(folder, target, bytes, tempName) ||
        ::rename(tempName.c_str(), target.c_str()) != 0) {
        if (!tempName.empty()) ::unlink(tempName.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace quill
