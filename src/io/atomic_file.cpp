// SPDX-License-Identifier: MIT
#include "io/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_kind.h"

namespace tavimo {

namespace {

std::string systemReason(int error) { return std::strerror(error); }

// The process's umask, which can only be read by setting it.
mode_t currentUmask() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The folder a file lies in, "." for a bare name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path's bytes finally go to: the path itself, or the regular file a link
// names, so that replacing it keeps the link. The reason when it is nothing Tavimo
// may replace.
std::optional<std::string> targetOf(const std::string& path, std::string& target) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) return systemReason(errno);
        target = path;  // a new file
        return std::nullopt;
    }
    if (S_ISLNK(status.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved))
            return errno == ENOENT ? "it is a link to a file that does not exist" : systemReason(errno);
        target = resolved;
        if (::stat(target.c_str(), &status) != 0) return systemReason(errno);
    } else {
        target = path;
    }
    if (!S_ISREG(status.st_mode)) return notRegularReason(status.st_mode);
    return std::nullopt;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

// The new file's permissions: the old file's, or the usual ones of a new file.
void takePermissions(int fd, const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        (void)::fchmod(fd, old.st_mode & 07777);
        (void)::fchown(fd, old.st_uid, old.st_gid);  // only root may; others keep their own
    } else {
        (void)::fchmod(fd, 0666 & ~currentUmask());
    }
}

}  // namespace

std::optional<FileWriteFailure> writeFileAtomically(const std::string& path, std::string_view bytes) {
    const auto failure = [&](std::string reason) { return FileWriteFailure{path, std::move(reason)}; };
    if (path.empty()) return failure("no file name was given");
    std::string target;
    if (auto refused = targetOf(path, target)) return failure(*refused);

    const std::string folder = folderOf(target);
    // Hidden, and short enough beside the longest name a folder takes.
    std::string temporary = folder + "/." + nameOf(target).substr(0, 200) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return failure(systemReason(errno));
    takePermissions(fd, target);

    // Every step is checked before the rename: a short write, a failed sync (the
    // disk filled while the system held the bytes) or a failed close all keep the
    // old file.
    bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return failure(systemReason(error));
    }
    // The new name itself reaches the disk with the folder; a folder that cannot be
    // synced (some network file systems) does not undo a complete write.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return std::nullopt;
}

}  // namespace tavimo
