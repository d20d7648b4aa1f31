#include "base/SafeFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

int writeAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return 0;
}

// Makes the rename itself survive a crash; a failure here loses nothing.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

constexpr int kNotPossible = -1;

// A sibling temporary renamed over the file. kNotPossible when the folder
// takes no new file or the temporary cannot get the file's group: then only a
// rewrite in place keeps the user's changes.
int replaceThroughTemporary(const std::string& real, const struct stat& original,
                            const std::string& bytes) {
    const size_t slash = real.rfind('/');
    std::string temporary = real.substr(0, slash + 1) + "." + real.substr(slash + 1) + ".XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return kNotPossible;
    if (::fchown(fd, static_cast<uid_t>(-1), original.st_gid) != 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return kNotPossible;
    }
    int error = writeAll(fd, bytes);
    if (error == 0 && ::fchmod(fd, original.st_mode & 07777) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), real.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    syncFolder(folderOf(real));
    return 0;
}

// Reserves the new size before the first byte changes, so a full disk fails
// while the old contents are whole; the rest is cut only after the write.
int rewriteInPlace(int fd, const struct stat& original, const std::string& bytes) {
    if (!S_ISREG(original.st_mode)) {
        // A pipe or device blocks like any writer of it would.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return writeAll(fd, bytes);
    }
    if (!bytes.empty()) {
        const int error = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        // A file system that cannot reserve gets the write as before.
        if (error != 0 && error != EOPNOTSUPP && error != ENOSYS) {
            // Reserving may have grown the file; what was there stays.
            if (::ftruncate(fd, original.st_size) != 0) {
            }
            return error;
        }
    }
    if (int error = writeAll(fd, bytes)) return error;
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno;
    return ::fsync(fd) == 0 ? 0 : errno;
}

int createAndWrite(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = writeAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) ::unlink(path.c_str());
    return error;
}

}  // namespace

int writeFileSafely(const std::string& path, const std::string& bytes, FileWriteRules rules) {
    // Through a symbolic link the file it points at is written, not the link.
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) {
        const int error = errno;
        struct stat link;
        if (error == ENOENT && rules.createMissing && ::lstat(path.c_str(), &link) != 0)
            return createAndWrite(path, bytes);
        return error;
    }
    const std::string real = resolved;
    std::free(resolved);

    // Opened without O_CREAT: a file that went away is not made anew, and a
    // file the user made read-only stays as it is. Non-blocking, so that a pipe
    // nobody reads fails instead of hanging.
    int fd = ::open(real.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat original;
    int error = ::fstat(fd, &original) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(original.st_mode) && !rules.specialFiles) error = EINVAL;
    if (error != 0) {
        ::close(fd);
        return error;
    }

    // Renaming would break hard links, hand the file to whoever saves it, and
    // put a plain file where a device or pipe was.
    if (S_ISREG(original.st_mode) && original.st_nlink == 1 && original.st_uid == ::geteuid()) {
        error = replaceThroughTemporary(real, original, bytes);
        if (error != kNotPossible) {
            ::close(fd);
            return error;
        }
    }
    error = rewriteInPlace(fd, original, bytes);
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}
