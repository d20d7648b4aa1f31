// An element of a parsed document as XML text of its own.
#pragma once

#include <libxml/tree.h>

#include <string>

// Pure. The namespaces declared above the element come along.
std::string xmlElementText(const xmlNode* element);
