// ISBN and ISSN as people type, scan and catalogue them: cleaning, check
// characters and the conversions between ISBN-10 and ISBN-13.
#pragma once

#include <string>
#include <string_view>

enum class StandardNumberKind { None, Isbn10, Isbn13, Issn };

// Blanks and hyphens removed (Unicode blanks, dashes, the minus sign and a
// byte-order mark as well), a lower-case x made X, a leading "ISBN",
// "ISBN-13", "ISBN 10", "ISSN" or "EAN" label (with an optional colon)
// dropped, and the five-digit price add-on a scanner appends to a 978/979 EAN
// dropped.
std::string cleanStandardNumber(const std::string& text);

// The kind a cleaned number has by its form (digits, length, X only last);
// the check character is not looked at.
StandardNumberKind standardNumberForm(const std::string& cleaned);

// True when the check character of a number of that form is right.
bool standardNumberCheckOk(const std::string& cleaned);

// The check characters of the first 9 (ISBN-10), 12 (ISBN-13) or 7 (ISSN)
// digits; '?' when the input is not all digits.
char isbn10CheckCharacter(const std::string& first9);
char isbn13CheckCharacter(const std::string& first12);
char issnCheckCharacter(const std::string& first7);

// The ISBN-13 of an ISBN-10 (978 prefix, check digit recomputed); an
// ISBN-13 as it is. Empty for anything else.
std::string isbnAs13(const std::string& cleaned);

// The ISBN-10 of a 978 ISBN-13 (check recomputed), an ISBN-10 as it is;
// empty for 979 ISBNs and anything else.
std::string isbnAs10(const std::string& cleaned);

// The ISBN-13 named at the start of a MARC 020 $a ("0-306-40615-2 (pbk.)"):
// the leading run of digits, X, hyphens and blanks, cleaned; empty when that
// is no ISBN by form. Check digits of catalogued numbers are not trusted to
// be right, so they are not checked.
std::string isbn13FromCatalogued(const std::string& subfield);
// The same without allocating, for readers of many records: true and the
// thirteen digits in isbn13 when there is one.
bool isbn13FromCatalogued(std::string_view subfield, char (&isbn13)[13]);
