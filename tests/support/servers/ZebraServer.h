// zebrasrv serving a register that zebraidx builds from ISO 2709 files, with the
// demo catalogue's configuration from data/demo, so the demo and the tests serve
// alike. What it serves (Zebra 2.2):
// - Use attributes (bib-1): 4 Title (245 $a $b), 1003 Author (100/110/700/710 $a;
//   also 1, 2, 1004, 1005), 7 ISBN (020 $a), 8 ISSN (022 $a), 9 LC card number
//   (010 $a), 12 Local-number (001), 21
//   Subject-heading (650 $a), 31 and 30 date (008/07-10), 1018 Publisher (260/264
//   $b), 54 Code-language (008/35-37), 1016 Any (every subfield), the default.
//   Words match regardless of ASCII case. "@attr 1=_ALLRECORDS @attr 2=103 \"\""
//   finds every record.
// - Records: USMARC or MARC21 with any element set (ISO 2709 in UTF-8, as indexed);
//   SUTRS with any element set (labelled lines "Title:", "Author:", "Published:",
//   "Date:" ...); XML with element set "marcxml" (MARCXML), "mods" (MODS 3.7 with
//   a namespaced mods root), "dc" (srw_dc:dc holding dc:title, dc:creator,
//   dc:date ...), any other or none (MARCXML). GRS-1 and OPAC: error 239.
// - Errors: an unknown database fails the search with 109; an unknown use
//   attribute with 114.
// - SRU (GET, POST, SOAP) on the same port: CQL read by data/demo/cql2pqf.properties
//   (cql.serverChoice, dc.title, dc.creator, dc.subject, dc.date, dc.publisher,
//   bath.isbn, rec.id ...); schemas as the XML element sets above.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ZServer.h"

class ZebraServer : public ZServer {
public:
    // Indexes the files (absolute paths) into a new register under database and
    // serves it. Throws std::runtime_error, with the log, when either step fails.
    // adjustConfig, when given, may change the configuration in the folder it is
    // handed before anything is indexed.
    explicit ZebraServer(const std::vector<std::string>& iso2709Files,
                         const std::string& database = "Default",
                         Logging logging = Logging::Protocol,
                         const std::function<void(const std::string& dir)>& adjustConfig = {});

    // Another server, in a process of its own, on the register of indexed (its
    // records, its database), without indexing again: for benchmarks that want
    // several large catalogues. indexed must outlive it.
    static std::unique_ptr<ZebraServer> onSameRegister(const ZebraServer& indexed,
                                                       Logging logging = Logging::Protocol);
    // count servers, each logging requests only, on one register of the records
    // in iso2709File: the first indexes it, the others share it.
    static std::vector<std::unique_ptr<ZebraServer>> severalOnOneRegister(
        const std::string& iso2709File, size_t count);

    // "http://127.0.0.1:PORT/DATABASE": the same server over SRU.
    std::string sruUrl(const std::string& database = "Default") const;

    // The demo catalogue's records (data/demo/demo.mrc, see demoCorpus()) under
    // "Default".
    static std::unique_ptr<ZebraServer> withDemoCorpus();

private:
    struct SharedRegister {};
    ZebraServer(SharedRegister, const ZebraServer& indexed, Logging logging);
};

// Copies the demo catalogue's Zebra configuration into dir and links Zebra's own
// tables beside it (as "zebra-tab"), ready for zebraidx and zebrasrv run in dir.
// Throws std::runtime_error when Zebra's tables cannot be found.
void installZebraConfig(const std::string& dir);
