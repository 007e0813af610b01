#include "settings/atomic_file.h"

#include "settings/file_access.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
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

// Temporary files are named ".<name>.<pid>.XXXXXX": the process id tells a leftover of a
// process that was killed from the file another running instance is writing right now.
std::string temporaryPrefix(const fs::path& target) {
    return "." + target.filename().string() + ".";
}

bool processGone(std::string_view pid) {
    if (pid.empty() || pid.size() > 9 ||
        !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const pid_t id = static_cast<pid_t>(std::stol(std::string(pid)));
    return id > 0 && ::kill(id, 0) != 0 && errno == ESRCH;
}

bool isRandomPart(std::string_view part) {
    constexpr std::size_t kRandom = 6; // mkstemp's letters and digits
    return part.size() == kRandom && std::all_of(part.begin(), part.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

// A name this writer makes, ".<name>.<pid>.XXXXXX", whose process has ended. Names without a
// process id (made by older versions) are left alone: ".setting.ini.backup" could be the
// user's own.
bool isLeftover(std::string_view name) {
    if (name.size() < 2 || name.front() != '.') return false;
    const auto lastDot = name.rfind('.');
    if (lastDot == std::string_view::npos || !isRandomPart(name.substr(lastDot + 1))) return false;
    const auto pidDot = name.rfind('.', lastDot - 1);
    if (pidDot == std::string_view::npos || pidDot < 2) return false; // ".<name>." comes first
    return processGone(name.substr(pidDot + 1, lastDot - pidDot - 1));
}

} // namespace

void removeStaleTemporaries(const fs::path& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!isLeftover(name)) continue;
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        ::unlink(entry.path().c_str());
    }
}

namespace {

bool writeTemporary(const fs::path& folder, const fs::path& target, std::string_view bytes,
                    std::string& tempName) {
    const std::string name = temporaryPrefix(target) + std::to_string(::getpid()) + ".XXXXXX";
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
    const auto place = writeTarget(file);
    if (!place) return false;
    const fs::path& target = *place;
    const fs::path folder = target.parent_path();
    std::error_code ec;
    if (!fs::exists(folder, ec)) fs::create_directories(folder, ec);
    if (!isWritable(folder)) return false;
    if (fs::exists(target, ec) && !isWritable(target)) return false;
    removeStaleTemporaries(folder);

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
