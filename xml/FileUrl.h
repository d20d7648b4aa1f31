// A local path as the file URL that libxml2 resolves imports against.
#pragma once

#include <string>

// Pure but for the working folder, which a relative path is taken from. Every
// byte but letters, digits, "-._~/" is escaped, so '#', '?' and '%' in folder
// names stay part of the path.
std::string fileUrl(const std::string& path);
