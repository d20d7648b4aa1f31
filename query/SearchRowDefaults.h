// The title and attribute string each search row returns to when the user picks
// the attribute editor's Default page.
#pragma once

#include <array>

#include "query/SearchAttribute.h"

inline const std::array<SearchAttribute, 2>& basicRowDefaults() {
    static const std::array<SearchAttribute, 2> rows = {
        {{"Title", "@attr 1=4"}, {"Author", "@attr 1=1003"}}};
    return rows;
}

inline const std::array<SearchAttribute, 4>& advancedRowDefaults() {
    static const std::array<SearchAttribute, 4> rows = {{{"Title", "@attr 1=4"},
                                                         {"Author", "@attr 1=1003"},
                                                         {"Subject", "@attr 1=21"},
                                                         {"Any", "@attr 1=1016"}}};
    return rows;
}
