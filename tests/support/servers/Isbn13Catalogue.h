// A Zebra whose records name their ISBNs only in the ISBN-13 form, as records
// made since 2007 do: a search for the ISBN-10 alone finds none of them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ZebraServer.h"

struct Isbn13Record {
    std::string controlNumber;
    std::string isbn13;  // 020 $a, followed there by " (pbk.)"
};

// Two copies of one 978 book, two other 978 books (one with an ISBN-10 ending
// in X) and a 979 book.
const std::vector<Isbn13Record>& isbn13Records();

// The catalogue's one serial ("issn-1"), its 022 $a with the hyphen, as
// catalogues write it.
extern const char* const kCatalogueIssn;

// Throws as ZebraServer does.
std::unique_ptr<ZebraServer> isbn13Catalogue();
