// Crash-safe rewrite of a file the user already has. Any thread.
#pragma once

#include <string>

// Replaces the contents of the existing, writable file at path with bytes,
// through a synced sibling temporary renamed over it, keeping the permission
// bits. Creates nothing when there is no such file; on any failure the
// original stays as it was and no temporary is left. True when replaced.
bool replaceExistingFile(const std::string& path, const std::string& bytes);
