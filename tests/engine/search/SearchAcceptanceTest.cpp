// Several real servers searched at once give the records YAZ's own client
// fetches from each of them, in the same order per target.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "ZebraServer.h"
#include "ZoomSearch.h"
#include "records/MarcForms.h"

namespace {

class SearchAcceptanceTest : public SearchServersTest {};

struct Expected {
    std::string zurl;
    std::map<std::string, std::string> options;
    bool xml;
};

}  // namespace

TEST_F(SearchAcceptanceTest, ManyTargetsAtOnceGiveWhatTheToolkitFetchesFromEach) {
    const auto second = ZebraServer::onSameRegister(*zebra_, ZServer::Logging::Requests);
    const int perTarget = 30;
    const std::string pqf = std::string("@attr 1=4 ") + MarcCorpus::kTitleWord100;

    SearchHarness h(searchSettings(perTarget, 100000, 3));
    std::map<int32_t, Expected> expected;
    auto add = [&](const std::string& name, const std::string& zurl, const std::string& syntax,
                   const std::string& elementSet) {
        const Target& t = h.addTarget(name, zurl, syntax, elementSet);
        expected[t.id] = Expected{
            zurl, {{"preferredRecordSyntax", syntax}, {"elementSetName", elementSet}},
            syntax == "xml"};
    };
    add("Zebra MARC", zebra_->zurl("Default"), "usmarc", "F");
    add("Zebra MARCXML", second->zurl("Default"), "xml", "marcxml");
    add("Zebra MODS", zebra_->zurl("Default"), "xml", "mods");
    add("yaz-ztest", ztest_->zurl("Default"), "usmarc", "F");
    h.start(pqf);
    ASSERT_TRUE(h.drain());

    std::map<int32_t, std::vector<Record>> stored;
    for (Record& r : h.doc->store.copyAll()) {
        completeRecordForms(r);
        stored[r.targetId].push_back(r);
    }

    for (const auto& [id, want] : expected) {
        SCOPED_TRACE(h.target(id).name);
        const ZoomSearchResult reference = zoomSearch(want.zurl, pqf, want.options, perTarget);
        ASSERT_EQ(reference.error, 0) << reference.errorText;
        ASSERT_FALSE(reference.records.empty());
        ASSERT_EQ(stored[id].size(), reference.records.size());
        EXPECT_EQ(h.target(id).search.hitCount, reference.hits);
        for (size_t i = 0; i < reference.records.size(); ++i) {
            const Record& got = stored[id][i];
            const ZoomRecordForms& ref = reference.records[i];
            if (want.xml) {
                EXPECT_EQ(got.xmlText, ref.xml) << "position " << i;
            } else {
                // The toolkit's raw form re-encodes what the server sent (yaz-ztest's
                // directory is not in data order); the records' content is the same.
                EXPECT_EQ(controlNumberOf(got.rawData), controlNumberOf(ref.raw)) << i;
                EXPECT_EQ(marcToXml(got.rawData), ref.xml) << "position " << i;
                EXPECT_EQ(got.renderedText, ref.render) << "position " << i;
            }
        }
    }
}
