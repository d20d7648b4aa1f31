// The quality marks of a record at the head of its page.
#pragma once

#include <string>

// Pure. html with a "Marks: ..." line (marks escaped) as the first thing in
// its body, or in front of it when it has no body tag; html as it is when
// marks is empty.
std::string withMarksLine(const std::string& html, const std::string& marks);
