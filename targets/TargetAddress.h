// What kind of server a target's address names.
#pragma once

#include <string>

// Pure. True for "http://..." and "https://..." addresses (any case): such a
// target is searched over SRU, any other over Z39.50.
bool isSruAddress(const std::string& zurl);
