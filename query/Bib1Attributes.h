// The Bib-1 attribute lists of the attribute editor, as data, and the attribute
// string made from one chosen entry per list. Pure; any thread.
#pragma once

#include <string>
#include <vector>

// One list: its attribute type, its label and its entries ("label: @attr t=v")
// in the order they are added.
struct Bib1List {
    int type;
    const char* label;
    bool sorted;  // shown in alphabetical order, ignoring case
    std::vector<std::string> entries;
};

// The six lists in attribute-type order: Use, Relation, Position, Structure,
// Truncation, Completeness.
const std::vector<Bib1List>& bib1Lists();
// The list of attribute type type (1 to 6).
const Bib1List& bib1List(int type);

// What the list shows: the empty entry, then the entries, sorted when the list is.
std::vector<std::string> bib1DisplayEntries(const Bib1List& list);

// The attribute string of the chosen entries, given in attribute-type order:
// each entry's text after its first colon, trimmed, and one blank; nothing for
// an empty entry.
std::string bib1AttributeString(const std::vector<std::string>& chosenByType);
