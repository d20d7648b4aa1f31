#include "targets/ReplaceExistingFile.h"

#include "base/SafeFileWrite.h"

bool replaceExistingFile(const std::string& path, const std::string& bytes) {
    return writeFileSafely(path, bytes, FileWriteRules{}) == 0;
}
