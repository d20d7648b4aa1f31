#include "protocol/z3950/Z3950Records.h"

#include <yaz/proto.h>
#include <yaz/record_render.h>
#include <yaz/wrbuf.h>

#include "records/RecordBuilder.h"

namespace {

// Keeps the whole form, embedded zero bytes included, so that an export
// writes back exactly what the server sent.
std::string formOf(const char* data, int length) {
    if (!data || length <= 0) return std::string();
    return std::string(data, static_cast<size_t>(length));
}

std::string octetsOf(const Z_External* ext) {
    if (ext && ext->which == Z_External_octet && ext->u.octet_aligned &&
        ext->u.octet_aligned->buf && ext->u.octet_aligned->len > 0)
        return std::string(reinterpret_cast<const char*>(ext->u.octet_aligned->buf),
                           static_cast<size_t>(ext->u.octet_aligned->len));
    return std::string();
}

// The toolkit's "raw" form decodes and re-encodes a MARC record, which costs
// as much as the rest of a fetch: the octets are taken as they came.
class NamePlusRecordSource : public RecordSource {
public:
    explicit NamePlusRecordSource(Z_NamePlusRecord* record) : record_(record) {}
    ~NamePlusRecordSource() override { wrbuf_destroy(buffer_); }
    std::string form(const char* type) const override {
        int length = 0;
        wrbuf_rewind(buffer_);
        const char* data = yaz_record_render(record_, nullptr, buffer_, type, &length);
        return formOf(data, length);
    }
    std::string marcOctets() const override {
        return record_->which == Z_NamePlusRecord_databaseRecord
                   ? octetsOf(record_->u.databaseRecord)
                   : std::string();
    }

private:
    Z_NamePlusRecord* record_;
    WRBUF buffer_ = wrbuf_alloc();
};

class ZoomRecordSource : public RecordSource {
public:
    explicit ZoomRecordSource(ZOOM_record record) : record_(record) {}
    std::string form(const char* type) const override {
        int length = 0;
        const char* data = ZOOM_record_get(record_, type, &length);
        return formOf(data, length);
    }
    std::string marcOctets() const override {
        int length = 0;
        return octetsOf(reinterpret_cast<const Z_External*>(ZOOM_record_get(record_, "ext", &length)));
    }

private:
    ZOOM_record record_;
};

}  // namespace

Record buildRecord(Z_NamePlusRecord* record, const Target& target, const SettingsData& settings) {
    return buildRecord(NamePlusRecordSource(record), target, settings);
}

Record buildRecord(ZOOM_record record, const Target& target, const SettingsData& settings) {
    return buildRecord(ZoomRecordSource(record), target, settings);
}
