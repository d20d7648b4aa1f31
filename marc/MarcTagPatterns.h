// A list of MARC tags written the way cataloguers do: "9XX 029, 938", X (or x)
// standing for any one character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class MarcTagPatterns {
public:
    MarcTagPatterns() = default;
    // Patterns separated by spaces, commas or semicolons; pieces that are
    // not three characters are ignored.
    explicit MarcTagPatterns(std::string_view text);

    bool empty() const { return patterns_.empty(); }
    bool matches(std::string_view tag) const;

private:
    std::vector<std::string> patterns_;
};
