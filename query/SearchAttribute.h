// What a search row puts in front of its term: the caption of its attribute
// button and the PQF attribute string.
#pragma once

#include <string>

struct SearchAttribute {
    std::string title;
    std::string pqf;
};
