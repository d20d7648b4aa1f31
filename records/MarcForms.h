// The MARCXML and line forms of an ISO 2709 record, made the way the toolkit
// makes its "xml" and "render" forms, but from the stored bytes and only when
// somebody looks at them: converting every fetched record up front cost most
// of a search's CPU time. A MARC-8 record's forms come in UTF-8 (see
// marcCharset); the MARCXML form is always well-formed UTF-8.
#pragma once

#include <string>

#include "marc/MarcCharset.h"

struct Record;

// Any thread. Empty when the bytes do not decode as ISO 2709. Read in the
// charset given, or else the one marcCharset finds.
std::string marcToXml(const std::string& iso2709);
std::string marcToText(const std::string& iso2709);
std::string marcToXml(const std::string& iso2709, MarcCharset charset);
std::string marcToText(const std::string& iso2709, MarcCharset charset);

// Any thread. The charset a record was read in when it was built, or else the
// one marcCharset finds.
MarcCharset recordCharset(const Record& record);

// Any thread, on a record the caller owns: fills a MARC record's xmlText and
// renderedText if they were deferred. Other records are left as they are.
void completeRecordForms(Record& record);
