#include "query/BatchFileReader.h"

std::vector<std::string> addBatchNumbersFrom(std::istream& in, BatchNumberList& list) {
    std::vector<std::string> messages;
    std::string line;
    while (std::getline(in, line)) {
        std::string message;
        if (list.addBatchNumber(stripLineEnd(line), message) != BatchNumberList::AddResult::Added)
            messages.push_back(message);
    }
    return messages;
}
