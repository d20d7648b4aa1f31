#include "editor/MarcText.h"

#include "export/MarcExportForm.h"

namespace {

std::string backslashesAsBlanks(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\\') c = ' ';
    return out;
}

std::string unescaped(std::string_view text) {
    static const std::pair<std::string_view, char> kEscapes[] = {
        {"{dollar}", '$'}, {"{lcub}", '{'}, {"{rcub}", '}'}, {"{bsol}", '\\'}};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '{') {
            for (const auto& [escape, c] : kEscapes) {
                if (text.substr(i, escape.size()) == escape) {
                    out.push_back(c);
                    i += escape.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out.push_back(text[i++]);
    }
    return out;
}

bool hasSeparator(std::string_view text) {
    return text.find_first_of("\x1D\x1E\x1F") != std::string_view::npos;
}

class LineReader {
public:
    explicit LineReader(MarcTextParse& parse) : parse_(parse) {}

    void read(size_t number, std::string_view line) {
        line_ = number;
        if (line.size() < 4 || line[0] != '=') return problem("not a field (=TAG  ...)");
        const std::string tag(line.substr(1, 3));
        for (const char c : tag)
            if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F)
                return problem("the tag '" + tag + "' is not three letters or digits");
        std::string_view content = line.substr(4);
        for (int i = 0; i < 2 && !content.empty() && content[0] == ' '; ++i)
            content.remove_prefix(1);
        if (hasSeparator(content)) return problem("a control character of ISO 2709 in the field");
        if (tag == "LDR") return leader(content);
        MarcFieldData field;
        field.tag = tag;
        if (field.isControl()) {
            field.data = backslashesAsBlanks(content);
        } else if (!dataField(content, field)) {
            return;
        }
        parse_.record.fields.push_back(std::move(field));
        parse_.fieldLines.push_back(number);
    }

private:
    void problem(std::string message) { parse_.problems.push_back({line_, std::move(message)}); }

    void leader(std::string_view content) {
        if (seenLeader_) return problem("a second leader");
        seenLeader_ = true;
        parse_.record.leader = backslashesAsBlanks(content);
        parse_.leaderLine = line_;
    }

    bool dataField(std::string_view content, MarcFieldData& field) {
        if (content.size() < 2) {
            problem("the field has no two indicators");
            return false;
        }
        field.indicator1 = content[0] == '\\' ? ' ' : content[0];
        field.indicator2 = content[1] == '\\' ? ' ' : content[1];
        content.remove_prefix(2);
        if (!content.empty() && content[0] != '$') {
            problem("text before the first subfield");
            return false;
        }
        while (!content.empty()) {
            content.remove_prefix(1);
            const size_t end = content.find('$');
            const std::string_view subfield = content.substr(0, end);
            if (subfield.empty()) {
                problem("a subfield without a code");
                return false;
            }
            field.subfields.emplace_back(subfield[0], unescaped(subfield.substr(1)));
            content = end == std::string_view::npos ? std::string_view() : content.substr(end);
        }
        return true;
    }

    MarcTextParse& parse_;
    size_t line_ = 0;
    bool seenLeader_ = false;
};

}  // namespace

MarcTextParse parseMarcText(std::string_view text) {
    MarcTextParse parse;
    LineReader reader(parse);
    size_t number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") != std::string_view::npos) reader.read(number, line);
        ++number;
    }
    return parse;
}

std::string marcTextOf(const MarcFields& record) {
    return marcTextFromCleanIso2709(marcFieldsToIso2709(record));
}
