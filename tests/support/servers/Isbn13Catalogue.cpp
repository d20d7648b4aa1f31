#include "Isbn13Catalogue.h"

#include "MarcBuilder.h"
#include "TestSupport.h"

const std::vector<Isbn13Record>& isbn13Records() {
    static const std::vector<Isbn13Record> records = {{"isbn-1", "9780306406157"},
                                                      {"isbn-2", "9780306406157"},
                                                      {"isbn-3", "9780131103627"},
                                                      {"isbn-4", "9780804429573"},
                                                      {"isbn-5", "9791032300824"}};
    return records;
}

const char* const kCatalogueIssn = "0363-6836";

std::unique_ptr<ZebraServer> isbn13Catalogue() {
    std::string bytes;
    for (const Isbn13Record& r : isbn13Records())
        bytes += MarcBuilder()
                     .control("001", r.controlNumber)
                     .data("020", "  ", {{'a', r.isbn13 + " (pbk.)"}})
                     .data("245", "10", {{'a', "Book " + r.controlNumber}})
                     .build();
    bytes += MarcBuilder()
                 .control("001", "issn-1")
                 .data("022", "0 ", {{'a', kCatalogueIssn}})
                 .data("245", "00", {{'a', "Serial issn-1"}})
                 .build();
    // Kept for the whole run: Zebra may read records back from their file.
    static const TempDir dir;
    writeFileBytes(dir.file("isbn13.mrc"), bytes);
    return std::make_unique<ZebraServer>(std::vector<std::string>{dir.file("isbn13.mrc")});
}
