// SPDX-License-Identifier: MIT
#include "io/file_read.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_kind.h"

namespace tavimo {

namespace {

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::string systemReason(int error) { return std::strerror(error); }

}  // namespace

std::string notRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder, not a file";
    if (S_ISFIFO(mode)) return "it is a FIFO, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
    if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
    return "it is not a regular file";
}

std::string byteSizeText(std::size_t bytes) {
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

std::variant<std::string, FileReadFailure> readRegularFile(const std::string& path, std::size_t limit) {
    const auto failure = [&](std::string reason) { return FileReadFailure{path, std::move(reason)}; };
    if (path.empty()) return failure("no file name was given");

    // Non-blocking, so that opening a FIFO without a writer returns at once; the
    // type is checked on the open descriptor, so the file checked is the file read.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return failure(systemReason(errno));
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return failure(systemReason(errno));
    if (!S_ISREG(status.st_mode)) return failure(notRegularReason(status.st_mode));

    std::string bytes;
    // The size is only a hint: the file may grow or shrink while it is read.
    const auto hinted = static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 0);
    bytes.reserve((hinted < limit ? hinted : limit) + 1);
    char buffer[1 << 16];
    while (bytes.size() <= limit) {
        const std::size_t wanted = limit + 1 - bytes.size();
        const ssize_t got = ::read(file.get(), buffer, wanted < sizeof buffer ? wanted : sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return failure(systemReason(errno));
        }
        if (got == 0) return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return failure("it is larger than " + byteSizeText(limit));
}

}  // namespace tavimo
