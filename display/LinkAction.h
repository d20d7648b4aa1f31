// What a click on a link in the record view does. Pages show server and
// stylesheet content, so only the forms the program itself writes and plain
// web and mail addresses do anything; every other address is ignored.
#pragma once

#include <cstdint>
#include <string>

struct LinkAction {
    enum Kind { Ignore, Retry, Resume, OpenInBrowser };

    Kind kind = Ignore;
    int32_t targetId = 0;  // Retry and Resume only
};

// Any thread. "retry:N" and "resume:N" (N the leading decimal digits after
// the colon, 0 when none) act on target N; http, https and mailto addresses
// open in the user's browser. Scheme names match in any letter case.
LinkAction linkActionFor(const std::string& address);
