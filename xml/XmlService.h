// Start-up of libxml2 and libxslt for the whole process, and the rules every
// parse and transformation here follows: record text and the documents a
// stylesheet pulls in come from outside and are not trusted.
// Below the engine, free of Qt; it includes nothing of ours but base/.
#pragma once

#include <libxml/parser.h>
#include <libxslt/security.h>

#include <string>

// No network, no entity substitution, no DTD loading or default attributes;
// libxml2's own limits against entity expansion stay on (no XML_PARSE_HUGE).
constexpr int kSafeParseOptions = XML_PARSE_NONET;

// Any thread. Parses a stylesheet file (or an imported or included one):
// internal entities are substituted, as stylesheets use &nbsp; and the like,
// but external entities, external DTDs and the network are never read. dict is
// the dictionary libxslt wants the names in, or null. errorCode: 0 = parsed.
xmlDocPtr parseStylesheetFile(const std::string& uri, xmlDictPtr dict, int& errorCode);

// Any thread, any number of times; the first call initialises both libraries,
// installs the safe document loader, the security preferences and the error
// routing, later calls return at once. Call it at start-up on the main thread.
void initXmlService();

// Any thread after initXmlService. Stylesheets may read local files only; they
// can neither write files, create folders nor use the network.
xsltSecurityPrefsPtr xmlServiceSecurityPrefs();
