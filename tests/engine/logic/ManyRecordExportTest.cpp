// Many records in one export file: the MARC sequence read back with YAZ's
// reader, the XML document parsed and counted, TEXT, one XSL run, and Cancel.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <yaz/marcdisp.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "MarcCorpus.h"
#include "TestSupport.h"
#include "records/ResultStore.h"
#include "export/AssembleRecords.h"
#include "export/ManyRecordFile.h"

namespace {

Record marcRecord(const std::string& iso2709) {
    Record r;
    r.kind = Marc;
    r.syntax = "usmarc";
    r.rawData = iso2709;
    r.formsDeferred = true;
    return r;
}

Record xmlRecord(const std::string& xml) {
    Record r;
    r.kind = Xml;
    r.syntax = "xml";
    r.xmlText = xml;
    return r;
}

Record sutrsRecord(const std::string& text) {
    Record r;
    r.kind = Sutrs;
    r.rawData = r.renderedText = text;
    return r;
}

std::vector<int32_t> allNumbers(const ResultStore& store) {
    std::vector<int32_t> numbers;
    for (const Record& r : store.copyAll()) numbers.push_back(r.number);
    return numbers;
}

AssembledFile assemble(const ResultStore& store, FileExportKind kind,
                       const std::string& stylesheet = {}) {
    ExportProgress progress;
    return assembleRecords(store, allNumbers(store), kind, stylesheet, progress);
}

// The records YAZ's ISO 2709 reader finds in a file, one after another.
std::vector<std::string> readIso2709(const std::string& file) {
    std::vector<std::string> records;
    yaz_marc_t mt = yaz_marc_create();
    for (size_t at = 0; at < file.size();) {
        const int length =
            yaz_marc_read_iso2709(mt, file.data() + at, static_cast<int>(file.size() - at));
        if (length <= 0) break;
        records.push_back(file.substr(at, static_cast<size_t>(length)));
        at += static_cast<size_t>(length);
    }
    yaz_marc_destroy(mt);
    return records;
}

// Number of nodes the XPath expression selects; -1 when the text is not well-formed.
int countNodes(const std::string& xml, const char* expression) {
    xmlDoc* doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) return -1;
    xmlXPathContext* context = xmlXPathNewContext(doc);
    xmlXPathRegisterNs(context, BAD_CAST "m", BAD_CAST "http://www.loc.gov/MARC21/slim");
    xmlXPathObject* found = xmlXPathEvalExpression(BAD_CAST expression, context);
    const int count = found && found->nodesetval ? found->nodesetval->nodeNr : 0;
    xmlXPathFreeObject(found);
    xmlXPathFreeContext(context);
    xmlFreeDoc(doc);
    return count;
}

const char* const kMods =
    "<?xml version='1.0' encoding='ISO-8859-1'?>"
    "<mods xmlns='http://www.loc.gov/mods/v3'><titleInfo><title>Caf\xE9"
    "</title></titleInfo></mods>";
// Two records whose namespace prefix is declared only on the collection.
const char* const kPrefixedCollection =
    "<marc:collection xmlns:marc='http://www.loc.gov/MARC21/slim'>"
    "<marc:record><marc:leader>00000nam a2200000 a 4500</marc:leader></marc:record>"
    "<marc:record><marc:leader>00000nam a2200000 a 4500</marc:leader></marc:record>"
    "</marc:collection>";

}  // namespace

TEST(ManyRecordExportTest, MarcFileIsTheSequenceOfTheMarcRecords) {
    const MarcCorpus corpus(5, 7);
    ResultStore store;
    store.add(sutrsRecord("a SUTRS record"));
    for (const CorpusRecord& c : corpus.records()) store.add(marcRecord(c.iso2709));
    store.add(xmlRecord(kMods));
    Record cut = marcRecord(corpus.records()[0].iso2709.substr(0, 100));
    store.add(cut);  // its leader promises more bytes than it has

    const AssembledFile file = assemble(store, FileExportKind::Marc);
    EXPECT_EQ(file.written, 5u);
    EXPECT_EQ(file.skipped, 3u);
    EXPECT_EQ(recordsWrittenText(FileExportKind::Marc, file.written, file.skipped),
              "5 records written, 3 skipped: not MARC");
    const std::vector<std::string> read = readIso2709(file.bytes);
    ASSERT_EQ(read.size(), 5u);
    for (size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i], corpus.records()[i].iso2709);
}

TEST(ManyRecordExportTest, XmlIsOneDocumentWithMarcInOneCollection) {
    const MarcCorpus corpus(3, 9);
    ResultStore marcOnly;
    for (const CorpusRecord& c : corpus.records()) marcOnly.add(marcRecord(c.iso2709));
    const AssembledFile plain = assemble(marcOnly, FileExportKind::Xml);
    EXPECT_EQ(plain.written, 3u);
    EXPECT_EQ(countNodes(plain.bytes, "/m:collection/m:record"), 3);

    ResultStore mixed;
    mixed.add(xmlRecord(kMods));
    for (const CorpusRecord& c : corpus.records()) mixed.add(marcRecord(c.iso2709));
    mixed.add(xmlRecord(kPrefixedCollection));
    mixed.add(xmlRecord(""));
    mixed.add(xmlRecord("<broken><record>"));
    mixed.add(xmlRecord("<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>"));
    mixed.add(sutrsRecord("no XML form"));
    mixed.add(xmlRecord("<dc xmlns='http://purl.org/dc/elements/1.1/'/>"));
    const AssembledFile file = assemble(mixed, FileExportKind::Xml);
    EXPECT_EQ(file.written, 6u);
    EXPECT_EQ(file.skipped, 4u);
    EXPECT_EQ(recordsWrittenText(FileExportKind::Xml, file.written, file.skipped),
              "6 records written, 4 skipped: no XML");
    EXPECT_EQ(countNodes(file.bytes, "/records/m:collection/m:record"), 5);
    // The others in their order, the Latin-1 record now in UTF-8.
    EXPECT_EQ(countNodes(file.bytes, "/records/*[1][local-name()='collection']"), 1);
    EXPECT_EQ(countNodes(file.bytes, "/records/*[2][local-name()='mods']"), 1);
    EXPECT_EQ(countNodes(file.bytes, "/records/*[3][local-name()='dc']"), 1);
    EXPECT_NE(file.bytes.find("Caf\xC3\xA9"), std::string::npos);

    // One transformation of the whole document.
    TempDir dir;
    const std::string xsl = dir.file("count.xsl");
    writeFileBytes(xsl,
                   "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                   "<xsl:output method='text'/><xsl:template match='/'>"
                   "<xsl:value-of select=\"count(//*[local-name()='record'])\"/>"
                   "</xsl:template></xsl:stylesheet>");
    EXPECT_EQ(assemble(mixed, FileExportKind::XslTransformation, xsl).bytes, "5");
}

TEST(ManyRecordExportTest, TextsAreSeparatedByABlankLine) {
    ResultStore store;
    store.add(sutrsRecord("first\nrecord\n"));
    store.add(xmlRecord(kMods));
    store.add(sutrsRecord("second"));
    store.add(sutrsRecord("third\n"));
    const AssembledFile file = assemble(store, FileExportKind::Text);
    EXPECT_EQ(file.bytes, "first\nrecord\n\nsecond\n\nthird\n");
    EXPECT_EQ(file.skipped, 1u);

    ResultStore none;
    none.add(xmlRecord(kMods));
    EXPECT_EQ(assemble(none, FileExportKind::Text).bytes, "");
    EXPECT_EQ(assemble(none, FileExportKind::Marc).bytes, "");
}

TEST(ManyRecordExportTest, CancelStopsBetweenSlicesWithNothingToWrite) {
    const MarcCorpus corpus(1, 3);
    ResultStore store;
    for (int i = 0; i < 1000; ++i) store.add(marcRecord(corpus.records()[0].iso2709));
    const std::vector<int32_t> numbers = allNumbers(store);
    ExportProgress progress;
    AssembledFile file;
    std::thread worker;
    {
        // The worker waits for its first slice while we hold the lock.
        std::lock_guard<std::recursive_mutex> hold(store.lock());
        worker = std::thread(
            [&] { file = assembleRecords(store, numbers, FileExportKind::Xml, {}, progress); });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        progress.cancel = true;
    }
    worker.join();
    EXPECT_TRUE(file.cancelled);
    EXPECT_TRUE(file.bytes.empty());
    EXPECT_LT(progress.done.load(), 1000u);
}
