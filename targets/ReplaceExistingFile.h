// Rewrite of a file the user already has, crash-safe where that keeps the file
// the user's own. Any thread.
#pragma once

#include <string>

// Replaces the contents of the existing, writable file at path (a symbolic link
// is followed) with bytes. A plain file with one link that the user owns, in a
// folder that takes new files, is replaced through a synced sibling temporary
// renamed over it, keeping its permission bits and group; on a failure there
// it stays as it was and no temporary is left. Any other file is rewritten in
// place, so its links, owner and group stay. Creates nothing when there is no
// such file. True when the new contents were written.
bool replaceExistingFile(const std::string& path, const std::string& bytes);
