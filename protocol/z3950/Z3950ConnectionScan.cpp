#include "marc/MarcCharsetChoice.h"
#include "protocol/z3950/Z3950Connection.h"

ScanAnswer Z3950Connection::scan(const std::string& pqf, int32_t number, int32_t position) {
    ScanAnswer answer;
    std::vector<Z3950ScanEntry> entries;
    if (!connected_ && !connect()) {
        answer.failure = failure_.text;
        return answer;
    }
    if (!session_.scan(pqf, number, position, entries)) {
        noteFailure();
        answer.failure = failure_.text;
        return answer;
    }
    const char* charset = queryTermCharset(config_.queryCharset);
    const std::string rpnCharset = charset ? charset : "";
    for (const Z3950ScanEntry& e : entries) {
        ScanTerm term;
        term.raw = scanTermUtf8(e.term, rpnCharset, config_.recordCharset);
        term.display =
            e.display.empty() ? term.raw : scanTermUtf8(e.display, rpnCharset, config_.recordCharset);
        term.count = e.count;
        answer.terms.push_back(std::move(term));
    }
    return answer;
}
