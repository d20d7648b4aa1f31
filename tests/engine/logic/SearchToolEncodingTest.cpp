// qrn-search --encoding utf-8 against a catalogue that keeps to MARC-8.
#include <gtest/gtest.h>

#ifdef QRN_SEARCH_TOOL

#include <memory>
#include <string>

#include "ChildProcess.h"
#include "Marc8Records.h"
#include "Marc8Zebra.h"
#include "MarcBuilder.h"
#include "TestSupport.h"

TEST(SearchToolEncodingTest, Utf8OutputOfAMarc8RecordIsLabelledAndComposed) {
    TempDir dir;
    // Letters and accents apart, as the toolkit's MARC-8 encoder wants them.
    const std::string utf8 = MarcBuilder("00000nam a2200000 a 4500")
                                 .control("001", "enc-1")
                                 .data("100", "1 ",
                                       {{'a',
                                         "Dvor\xCC\x8C"
                                         "a\xCC\x81k, Antoni\xCC\x81n"}})
                                 .data("245", "10", {{'a', "Slovanske\xCC\x81 tance"}})
                                 .build();
    const std::string marc8 = toMarc8(utf8);
    ASSERT_NE(marc8.find("Dvo\xE9r\xE2"
                         "ak"),
              std::string::npos);
    writeFileBytes(dir.file("marc8.mrc"), marc8);
    const std::unique_ptr<ZebraServer> zebra = marc8Zebra({dir.file("marc8.mrc")});
    writeFileBytes(dir.file("targets.xml"),
                   "<?xml version=\"1.0\" ?>\n<ztargets><target><name>Old</name><zurl>" +
                       zebra->zurl("Default") +
                       "</zurl><recsyntax>usmarc</recsyntax><elementsetname>F</elementsetname>"
                       "<active>yes</active></target></ztargets>\n");
    // No user settings: the fresh-installation values apply.
    const std::string command =
        "HOME=home XDG_CONFIG_HOME=config XDG_DATA_HOME=data exec '" QRN_SEARCH_TOOL
        "' --quiet --targets targets.xml --format marc --encoding utf-8 "
        "'@attr 1=_ALLRECORDS @attr 2=103 \"\"' >out.mrc 2>err.txt";
    ChildProcess tool({"sh", "-c", command}, dir.path(), dir.file("log.txt"));
    ASSERT_EQ(tool.wait(60000), 0) << readFileBytes(dir.file("err.txt"));
    const std::string out = readFileBytes(dir.file("out.mrc"));
    ASSERT_GT(out.size(), 24u) << readFileBytes(dir.file("err.txt"));
    EXPECT_EQ(out[9], 'a');
    EXPECT_NE(out.find("Dvo\xC5\x99\xC3\xA1k, Anton\xC3\xADn"), std::string::npos) << out;
    EXPECT_NE(out.find("Slovansk\xC3\xA9 tance"), std::string::npos) << out;
    // No combining mark is left apart (U+0300 to U+036F).
    EXPECT_EQ(out.find_first_of("\xCC\xCD"), std::string::npos) << out;
}

#endif
