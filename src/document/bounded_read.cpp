#include "document/bounded_read.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quill {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

BoundedRead openError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return BoundedRead::Missing;
    case EISDIR: return BoundedRead::Folder;
    default: return BoundedRead::Unreadable;
    }
}

} // namespace

BoundedRead readFileBounded(const std::filesystem::path& file, std::uintmax_t limit,
                            std::string& bytes) {
    const Fd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return openError(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return BoundedRead::Unreadable;
    if (S_ISDIR(st.st_mode)) return BoundedRead::Folder;
    if (!S_ISREG(st.st_mode)) return BoundedRead::NotRegular;
    if (std::uintmax_t(st.st_size) > limit) return BoundedRead::TooLarge;
    bytes.clear();
    bytes.reserve(std::size_t(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return BoundedRead::Unreadable;
        if (n == 0) return BoundedRead::Read;
        // The file may grow while it is read.
        if (bytes.size() + std::size_t(n) > limit) return BoundedRead::TooLarge;
        bytes.append(buffer, std::size_t(n));
    }
}

} // namespace quill
