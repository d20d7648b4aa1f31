// A last resort for XML that somebody else wrote and that must parse.
#pragma once

#include <string>

// Any thread, once the XML library is set up. xml as it is when it parses (as
// UTF-8); else what the library's recovering parser keeps of it, without
// comments, serialised in UTF-8; empty when nothing can be kept.
std::string wellFormedXml(const std::string& xml);
