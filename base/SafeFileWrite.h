// Writing a file the user named so that it stays the file it was: through a
// synced sibling temporary renamed over it only where a rename keeps it so (a
// plain file with one link, of the user's own, in a folder that takes new
// files), written in place otherwise (hard links, others' files, devices,
// pipes). Free of Qt; any thread.
#pragma once

#include <string>

struct FileWriteRules {
    // Make the file when there is none; a failure then removes it again.
    bool createMissing = false;
    // Write into devices and pipes; otherwise only regular files are written.
    bool specialFiles = false;
};

// Writes exactly bytes to path (a symbolic link is followed). 0 on success,
// else the error number of the system call that failed; a regular file that
// could not be written keeps its old contents.
int writeFileSafely(const std::string& path, const std::string& bytes, FileWriteRules rules);
