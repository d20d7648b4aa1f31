#include "query/QueryComposer.h"

namespace {

std::string trimBlanks(const std::string& s) {
    const char* const blanks = " \t\r\n";
    const size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string quotePqfTerm(const std::string& t) {
    std::string quoted = "\"";
    for (const char c : t) {
        // The toolkit refuses a quoted term that opens with '@' and a digit.
        if (c == '"' || c == '\\' || (c == '@' && quoted.size() == 1)) quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string composeBasicQuery(const std::string& title, const std::string& author,
                              SearchAttribute& titleRow, SearchAttribute& authorRow) {
    std::string q;
    if (!title.empty()) {
        titleRow.pqf = trimBlanks(titleRow.pqf);
        q = titleRow.pqf + " " + quotePqfTerm(title) + " ";
    }
    if (!author.empty()) {
        if (!q.empty()) q = "@and " + q;
        authorRow.pqf = trimBlanks(authorRow.pqf);
        q += authorRow.pqf + " " + quotePqfTerm(author) + " ";
    }
    return q;
}

std::string composeAdvancedQuery(const std::vector<AdvancedRow>& rows) {
    std::string q;
    for (size_t i = 0; i < rows.size(); ++i) {
        const AdvancedRow& row = rows[i];
        if (row.term.empty()) continue;
        if (i > 0 && !q.empty()) q = operatorPrefix(row.op) + q + " ";
        q += row.pqf + " " + quotePqfTerm(row.term);
    }
    return q;
}

std::string operatorPrefix(const std::string& op) {
    if (op == "AND") return "@and ";
    if (op == "OR") return "@or ";
    if (op == "AND NOT") return "@not ";
    return std::string();
}

std::string appendPqfTerm(const std::string& term, const std::string& attributes,
                          const std::string& op, const std::string& query) {
    std::string s;
    if (!query.empty()) s = op + " " + query + " ";
    return s + attributes + " " + quotePqfTerm(term);
}
