// Small reads of a parsed libxml2 tree, for the readers of XML that servers
// and directories write. Pure; any thread.
#pragma once

#include <string>

typedef struct _xmlNode xmlNode;

// An element whose local name is name, in any namespace.
bool isElementNamed(const xmlNode* node, const char* name);
// The first child element named name; null when there is none (or no node).
const xmlNode* firstChildNamed(const xmlNode* node, const char* name);
// The node's text, its descendants' included; empty for no node.
std::string textOf(const xmlNode* node);
// The attribute's value; empty when it is not there.
std::string attributeOf(const xmlNode* node, const char* name);
