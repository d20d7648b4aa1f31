#include "editor/MarcText.h"

#include "export/MarcExportForm.h"

namespace {

std::string backslashesAsBlanks(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\\') c = ' ';
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The length of the mnemonic at the start of text, 0 when none; c gets the
// byte it stands for. The writer's {xHH} stands for a control character.
size_t mnemonicAt(std::string_view text, char& c) {
    static const std::pair<std::string_view, char> kEscapes[] = {
        {"{dollar}", '$'}, {"{lcub}", '{'}, {"{rcub}", '}'}, {"{bsol}", '\\'}};
    if (text.empty() || text[0] != '{') return 0;
    for (const auto& [escape, byte] : kEscapes) {
        if (text.substr(0, escape.size()) == escape) {
            c = byte;
            return escape.size();
        }
    }
    if (text.size() >= 5 && text[1] == 'x' && text[4] == '}' && hexDigit(text[2]) >= 0 &&
        hexDigit(text[3]) >= 0) {
        c = static_cast<char>(hexDigit(text[2]) * 16 + hexDigit(text[3]));
        return 5;
    }
    return 0;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        char c = 0;
        if (const size_t length = mnemonicAt(text.substr(i), c)) {
            out.push_back(c);
            i += length;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// One indicator: a blank written as a backslash, or a mnemonic.
char takeIndicator(std::string_view& content) {
    char c = 0;
    if (const size_t length = mnemonicAt(content, c)) {
        content.remove_prefix(length);
        return c;
    }
    c = content[0] == '\\' ? ' ' : content[0];
    content.remove_prefix(1);
    return c;
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
            field.data = unescaped(backslashesAsBlanks(content));
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
        parse_.record.leader = unescaped(backslashesAsBlanks(content));
        parse_.leaderLine = line_;
    }

    bool dataField(std::string_view content, MarcFieldData& field) {
        if (content.size() < 2) {
            problem("the field has no two indicators");
            return false;
        }
        field.indicator1 = takeIndicator(content);
        if (content.empty()) {
            problem("the field has no two indicators");
            return false;
        }
        field.indicator2 = takeIndicator(content);
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
