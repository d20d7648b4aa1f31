// Unicode composition, so that a letter with its accent is one character in
// every text the program shows or writes.
#pragma once

#include <string>
#include <string_view>

// Pure; any thread. The text in Normalization Form C; text that is not
// well-formed UTF-8 comes back as it is.
std::string toNfc(std::string_view utf8);

// Pure; any thread. An XML document's text composed, each stretch between
// markup on its own, since ">" followed by a combining long solidus would
// compose into one character. A document that is not UTF-8 or declares
// another encoding comes back as it is.
std::string toNfcXml(std::string_view xml);
