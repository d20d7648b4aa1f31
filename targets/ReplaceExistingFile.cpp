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

}  // namespace

bool replaceExistingFile(const std::string& path, const std::string& bytes) {
    // Through a symbolic link the file it points at is replaced, not the link.
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return false;
    const std::string real = resolved;
    std::free(resolved);

    struct stat original;
    if (::stat(real.c_str(), &original) != 0 || !S_ISREG(original.st_mode)) return false;
    // A file the user made read-only stays as it is, as with a plain rewrite.
    int probe = ::open(real.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) return false;
    ::close(probe);

    const size_t slash = real.rfind('/');
    const std::string folder = slash == 0 ? "/" : real.substr(0, slash);
    std::string temporary = real.substr(0, slash + 1) + "." + real.substr(slash + 1) + ".XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;

    bool ok =
        writeAll(fd, bytes) && ::fchmod(fd, original.st_mode & 07777) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), real.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}
