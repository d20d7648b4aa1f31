#include "marc/MarcTagPatterns.h"

MarcTagPatterns::MarcTagPatterns(std::string_view text) {
    std::string piece;
    auto finish = [this, &piece] {
        if (piece.size() == 3) patterns_.push_back(piece);
        piece.clear();
    };
    for (const char c : text) {
        if (c == ' ' || c == ',' || c == ';' || c == '\t' || c == '\n')
            finish();
        else
            piece.push_back(c);
    }
    finish();
}

bool MarcTagPatterns::matches(std::string_view tag) const {
    if (tag.size() != 3) return false;
    for (const std::string& pattern : patterns_) {
        bool match = true;
        for (size_t i = 0; i < 3 && match; ++i)
            match = pattern[i] == 'X' || pattern[i] == 'x' || pattern[i] == tag[i];
        if (match) return true;
    }
    return false;
}
