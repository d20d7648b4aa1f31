// MARC text (.mrk) read back by a reader of the form gives the record's bytes
// again, whatever its fields hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "MarcBuilder.h"
#include "marc/MarcCharsetChoice.h"
#include "records/Record.h"
#include "export/MarcExportForm.h"

namespace {

std::string unescaped(const std::string& text, bool backslashIsBlank) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && backslashIsBlank) {
            out += ' ';
        } else if (text[i] == '{') {
            const size_t end = text.find('}', i);
            const std::string name = text.substr(i + 1, end - i - 1);
            if (name == "dollar")
                out += '$';
            else if (name == "lcub")
                out += '{';
            else if (name == "rcub")
                out += '}';
            else if (name == "bsol")
                out += '\\';
            else
                out += static_cast<char>(std::stoi(name.substr(1), nullptr, 16));
            i = end;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The reader a cataloguing editor has: a line a field, "$" only as delimiter.
std::string readMarcText(const std::string& mrk) {
    std::istringstream lines(mrk);
    std::string leader;
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::string line; std::getline(lines, line);) {
        const std::string tag = line.substr(1, 3);
        const std::string rest = line.substr(6);
        if (tag == "LDR") {
            leader = unescaped(rest, true);
        } else if (tag < "010") {
            fields.emplace_back(tag, unescaped(rest, true) + "\x1E");
        } else {
            std::string bytes = unescaped(rest.substr(0, 2), true);
            size_t at = 2;
            for (size_t next; at != std::string::npos; at = next) {
                next = rest.find('$', at + 1);
                const std::string piece =
                    rest.substr(at, next == std::string::npos ? next : next - at);
                bytes += piece[0] == '$' ? "\x1F" + unescaped(piece.substr(1), false)
                                         : unescaped(piece, false);
            }
            fields.emplace_back(tag, bytes + "\x1E");
        }
    }
    MarcBuilder builder(leader);
    for (const auto& [tag, bytes] : fields) builder.raw(tag, bytes);
    return builder.build();
}

Record utf8Record(const std::string& iso2709) {
    Record r;
    r.kind = Marc;
    r.rawData = iso2709;
    r.charsetChoice = packCharsetChoice(chooseMarcCharset(iso2709, RecordCharsetSetting::Utf8));
    return r;
}

}  // namespace

TEST(MarcTextExportTest, ReadsBackToTheSameBytes) {
    const std::string record =
        MarcBuilder("00000nam a2200000 a 4500")
            .control("001", "ocm {1} $5 a\\b")
            .control("008", "850101s1985    xx")
            .raw("245",
                 "10Before\x1F"
                 "aFirst line\nsecond\r\x1F"
                 "c{x} $1\\\x1E")
            .data("500", "  ", {{'a', "Tab\there"}, {'$', "a dollar for a code"}})
            .build();
    const std::string mrk = exportMarcText(utf8Record(record), {});
    // One line a field: four fields and the leader.
    EXPECT_EQ(std::count(mrk.begin(), mrk.end(), '\n'), 5) << mrk;
    EXPECT_EQ(readMarcText(mrk), record) << mrk;
}
