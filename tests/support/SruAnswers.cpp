#include "SruAnswers.h"

#include "records/MarcForms.h"

std::vector<Record> recordsOf(SearchHarness& h, int32_t targetId) {
    std::vector<Record> out;
    for (Record& r : h.doc->store.copyAll())
        if (r.targetId == targetId) {
            completeRecordForms(r);
            out.push_back(std::move(r));
        }
    return out;
}

std::string sruDiagnostic(int number, const std::string& details) {
    return HttpFront::response(
        "200 OK", "text/xml",
        "<?xml version=\"1.0\"?>\n<searchRetrieveResponse "
        "xmlns=\"http://www.loc.gov/zing/srw/\"><version>1.2</version>"
        "<numberOfRecords>0</numberOfRecords><diagnostics><diagnostic "
        "xmlns=\"http://www.loc.gov/zing/srw/diagnostic/\"><uri>info:srw/diagnostic/1/" +
            std::to_string(number) + "</uri><details>" + details +
            "</details></diagnostic></diagnostics></searchRetrieveResponse>");
}

std::string marcXmlRecord(const std::string& title) {
    return "<record xmlns=\"http://www.loc.gov/MARC21/slim\"><leader>00000nam a2200000 a "
           "4500</leader><controlfield tag=\"001\">" +
           title +
           "</controlfield><datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield "
           "code=\"a\">" +
           title + "</subfield></datafield></record>";
}

std::string slot(const std::string& data, const std::string& schema) {
    return "<record><recordSchema>" + schema +
           "</recordSchema><recordPacking>xml</recordPacking><recordData>" + data +
           "</recordData></record>";
}

std::string sruAnswer(const std::string& count, const std::string& records,
                      const std::string& diagnostics) {
    return HttpFront::response(
        "200 OK", "text/xml",
        "<searchRetrieveResponse xmlns=\"http://www.loc.gov/zing/srw/\"><version>1.2</version>"
        "<numberOfRecords>" +
            count + "</numberOfRecords><records>" + records +
            "</records><nextRecordPosition>1</nextRecordPosition><diagnostics>" + diagnostics +
            "</diagnostics></searchRetrieveResponse>");
}

size_t requestsTo(const HttpFront& front, const std::string& path) {
    size_t count = 0;
    for (const std::string& line : front.requestLines())
        if (line.find("GET /" + path + "?") == 0) ++count;
    return count;
}

