// The quality marks of a record at the head of its page.
#pragma once

#include <string>

#include "copies/QualityMarks.h"

// Pure. html with a "Marks: ..." line (escaped, the marks in words as its tool
// tip) as the first thing in its body, or in front of it when it has no body
// tag; html as it is for a record that is not MARC.
std::string withMarksLine(const std::string& html, const QualityMarks& marks);
