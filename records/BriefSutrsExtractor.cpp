#include "records/BriefSutrsExtractor.h"

#include "records/ScanBriefRecord.h"

void BriefSutrsExtractor::run(const char* text, size_t length) {
    const std::string record(text, length);
    ScanBriefRecord(record, settings_.SUTRSTitleRE, title);
    ScanBriefRecord(record, settings_.SUTRSAuthorRE, author);
    ScanBriefRecord(record, settings_.SUTRSDateRE, date);
}
