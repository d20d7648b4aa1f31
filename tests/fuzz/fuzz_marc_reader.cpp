// Feeds arbitrary bytes to the ISO 2709 splitter and reader, with the brief
// handler and with one that asks for every subfield and field text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/BriefLine.h"
#include "records/BriefMarcHandler.h"
#include "marc/Iso2709Splitter.h"
#include "marc/MarcReader.h"

namespace {

volatile size_t sink;  // keeps the work from being optimised away

class EverythingHandler : public MarcHandler {
public:
    size_t bytes = 0;

    void onLeader(const MarcLeader& leader) override {
        bytes += leader.bytes().size() + static_cast<size_t>(leader.recordLength() & 1);
    }
    void onControlField(std::string_view tag, const MarcField& field) override {
        bytes += tag.size() + field.text(0).size() + field.text(2).size();
    }
    bool onDataField(std::string_view, const MarcField& field) override {
        bytes += field.text(2).size() + field.subfields("a b c").size();
        return true;
    }
    void onSubfield(char code, std::string_view content) override {
        bytes += content.size() + static_cast<unsigned char>(code);
    }
};

void readRecord(std::string_view record) {
    const MarcReader reader;
    BriefMarcHandler brief;
    reader.read(record.data(), record.size(), brief);
    const std::string line = briefLine(brief.title, brief.author, brief.date);
    EverythingHandler everything;
    reader.read(record.data(), record.size(), everything);
    sink = line.size() + everything.bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readRecord(bytes);
    for (const std::string_view record : splitIso2709(bytes)) readRecord(record);
    return 0;
}
