#include "targets/ReplaceExistingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

bool writeAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// Makes the rename itself survive a crash; a failure here loses nothing.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

enum class Outcome { Replaced, Failed, NotPossible };

// A sibling temporary renamed over the file. NotPossible when the folder takes
// no new file or the temporary cannot get the file's group: then only a
// rewrite in place keeps the user's changes.
Outcome replaceThroughTemporary(const std::string& real, const struct stat& original,
                                const std::string& bytes) {
    const size_t slash = real.rfind('/');
    const std::string folder = slash == 0 ? "/" : real.substr(0, slash);
    std::string temporary = real.substr(0, slash + 1) + "." + real.substr(slash + 1) + ".XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return Outcome::NotPossible;
    if (::fchown(fd, static_cast<uid_t>(-1), original.st_gid) != 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return Outcome::NotPossible;
    }
    bool ok =
        writeAll(fd, bytes) && ::fchmod(fd, original.st_mode & 07777) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), real.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return Outcome::Failed;
    }
    syncFolder(folder);
    return Outcome::Replaced;
}

// Writes over the old bytes first and cuts the rest after: a short write (a
// full disk) then fails before anything is freed.
bool rewriteInPlace(int fd, const std::string& bytes) {
    return writeAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
           ::fsync(fd) == 0;
}

}  // namespace

bool replaceExistingFile(const std::string& path, const std::string& bytes) {
    // Through a symbolic link the file it points at is saved, not the link.
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return false;
    const std::string real = resolved;
    std::free(resolved);

    // Opened without O_CREAT: a file that went away is not made anew, and a
    // file the user made read-only stays as it is.
    int fd = ::open(real.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat original;
    if (::fstat(fd, &original) != 0 || !S_ISREG(original.st_mode)) {
        ::close(fd);
        return false;
    }

    // Renaming would break hard links and hand the file to whoever saves it.
    if (original.st_nlink == 1 && original.st_uid == ::geteuid()) {
        const Outcome outcome = replaceThroughTemporary(real, original, bytes);
        if (outcome != Outcome::NotPossible) {
            ::close(fd);
            return outcome == Outcome::Replaced;
        }
    }
    bool ok = rewriteInPlace(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    return ok;
}
