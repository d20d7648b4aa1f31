#include "display/RecordComparison.h"

#include <map>
#include <utility>

#include "marc/MarcCharset.h"
#include "records/MarcForms.h"
#include "marc/MarcReader.h"

namespace {

using FieldKey = std::pair<std::string, int>;

class FieldCollector : public MarcHandler {
public:
    explicit FieldCollector(MarcCharset charset) : charset_(charset) {}
    std::map<FieldKey, ComparedField> fields;

    void onLeader(const MarcLeader& leader) override {
        ComparedField& f = fields[{"LDR", 1}];
        f.present = true;
        // Length and base address differ between any two records; they say nothing.
        std::string bytes(leader.bytes());
        if (bytes.size() >= 17) bytes = bytes.substr(5, 7) + bytes.substr(17);
        f.text = bytes;
    }
    void onControlField(std::string_view tag, const MarcField& field) override {
        ComparedField& f = next(tag);
        f.text = marcTextToUtf8(field.text(0), charset_);
    }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        ComparedField& f = next(tag);
        f.indicators = std::string(field.bytes().substr(0, 2));
        current_ = &f;
        return true;
    }
    void onSubfield(char code, std::string_view content) override {
        if (!current_) return;
        if (!current_->text.empty()) current_->text += ' ';
        current_->text += '$';
        current_->text += code;
        current_->text += ' ';
        current_->text += marcTextToUtf8(content, charset_);
    }
    void onDataFieldEnd() override { current_ = nullptr; }

private:
    ComparedField& next(std::string_view tag) {
        const std::string t(tag);
        ComparedField& f = fields[{t, ++occurrences_[t]}];
        f.present = true;
        return f;
    }
    MarcCharset charset_;
    std::map<std::string, int> occurrences_;
    ComparedField* current_ = nullptr;
};

using ReadRecord = std::pair<std::string_view, MarcCharset>;

std::vector<ComparedRow> compare(const std::vector<ReadRecord>& read) {
    std::vector<std::map<FieldKey, ComparedField>> records;
    std::map<FieldKey, bool> keys;
    for (const auto& [bytes, charset] : read) {
        FieldCollector collector(charset);
        MarcReader().read(bytes.data(), bytes.size(), collector);
        for (const auto& entry : collector.fields) keys[entry.first] = true;
        records.push_back(std::move(collector.fields));
    }
    std::vector<ComparedRow> rows;
    // The leader first, then fields by tag.
    std::vector<FieldKey> ordered;
    if (keys.count({"LDR", 1})) ordered.push_back({"LDR", 1});
    for (const auto& entry : keys)
        if (entry.first.first != "LDR") ordered.push_back(entry.first);
    for (const FieldKey& key : ordered) {
        ComparedRow& row = rows.emplace_back();
        row.tag = key.first;
        row.occurrence = key.second;
        for (const auto& record : records) {
            const auto found = record.find(key);
            row.fields.push_back(found == record.end() ? ComparedField() : found->second);
        }
        for (const ComparedField& f : row.fields) {
            if (!f.present) {
                row.missing = true;
                continue;
            }
            const ComparedField& first = row.fields.front();
            if (!first.present) continue;
            row.indicators = row.indicators || f.indicators != first.indicators;
            row.subfields = row.subfields || f.text != first.text;
        }
        if (row.missing) row.indicators = row.subfields = false;
    }
    return rows;
}

}  // namespace

std::vector<ComparedRow> compareRecords(const std::vector<Record>& records) {
    std::vector<ReadRecord> read;
    for (const Record& record : records)
        read.emplace_back(
            record.kind == Marc ? std::string_view(record.rawData) : std::string_view(),
            recordCharset(record));
    return compare(read);
}

std::vector<ComparedRow> compareRecords(const std::vector<std::string>& iso2709) {
    std::vector<ReadRecord> read;
    for (const std::string& bytes : iso2709) read.emplace_back(bytes, marcCharset(bytes));
    return compare(read);
}

std::string differenceText(const ComparedRow& row) {
    if (row.missing) {
        std::string text = "only in ";
        bool first = true;
        for (size_t i = 0; i < row.fields.size(); ++i) {
            if (!row.fields[i].present) continue;
            if (!first) text += ", ";
            text += std::to_string(i + 1);
            first = false;
        }
        return text;
    }
    // The leader and the 00X fields have neither indicators nor subfields.
    if (row.tag == "LDR" || row.tag.compare(0, 2, "00") == 0)
        return row.subfields ? "contents differ" : "";
    if (row.indicators && row.subfields) return "indicators and subfields differ";
    if (row.indicators) return "indicators differ";
    if (row.subfields) return "subfields differ";
    return {};
}

std::string comparedRecordName(size_t index, const std::string& target, size_t listRow,
                               const std::string& controlNumber) {
    std::string name = std::to_string(index + 1) + ": " + target;
    if (listRow > 0) name += ", row " + std::to_string(listRow);
    if (!controlNumber.empty()) name += ", 001 " + controlNumber;
    return name;
}
