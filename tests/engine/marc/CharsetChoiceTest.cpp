// Which charset a record is read in and why, the text that comes of it, and
// the export forms: UTF-8, without the clean-up tags, MARC text.
#include <gtest/gtest.h>

#include <string>

#include "MarcBuilder.h"
#include "records/BriefMarcHandler.h"
#include "marc/MarcCharsetChoice.h"
#include "marc/MarcLeader.h"
#include "records/Record.h"
#include "export/MarcExportForm.h"

namespace {

std::string record(char position9, const std::string& title) {
    std::string leader = "00000nam a2200000 a 4500";
    leader[9] = position9;
    return MarcBuilder(leader).control("001", "x1").data("245", "10", {{'a', title}}).build();
}

Record stored(const std::string& iso2709, RecordCharsetSetting setting) {
    Record r;
    r.kind = Marc;
    r.rawData = iso2709;
    r.charsetChoice = packCharsetChoice(chooseMarcCharset(iso2709, setting));
    return r;
}

}  // namespace

TEST(CharsetChoiceTest, AutomaticChecksTheLeaderAgainstTheBytes) {
    struct Case {
        char position9;
        std::string title;
        MarcCharset charset;
        CharsetReason reason;
        std::string brief;
        size_t replacements;
    };
    const Case cases[] = {
        {' ',
         "Boh\xE1"
         "eme",
         MarcCharset::Marc8, CharsetReason::Leader, "Boh\xC3\xA8me", 0},
        {' ', "Boh\xC3\xA8me", MarcCharset::Utf8, CharsetReason::IsUtf8, "Boh\xC3\xA8me", 0},
        {'a',
         "Boh\xE1"
         "eme",
         MarcCharset::Marc8, CharsetReason::NotUtf8, "Boh\xC3\xA8me", 0},
        // Decomposed UTF-8 comes out composed.
        {'a', "Bohe\xCC\x80me", MarcCharset::Utf8, CharsetReason::Leader, "Boh\xC3\xA8me", 0},
        {'a', "\x1B(N\x62\x1B(B", MarcCharset::Marc8, CharsetReason::Marc8Escapes, "\xD0\x91", 0},
        {'a', "Caf\xE9 \xFF", MarcCharset::Utf8Latin1, CharsetReason::Latin1OverUtf8,
         "Caf\xC3\xA9 \xC3\xBF", 0},
        {'a', "Caf\xC3\xA9 \xFF", MarcCharset::Utf8Latin1, CharsetReason::BrokenUtf8,
         "Caf\xC3\xA9 \xC3\xBF", 0},
        // A broken escape sequence costs a character, never the record.
        {' ', "Cut \x1B(", MarcCharset::Marc8, CharsetReason::Leader, "Cut \xEF\xBF\xBD", 1},
    };
    for (const Case& c : cases) {
        const std::string iso2709 = record(c.position9, c.title);
        SCOPED_TRACE(c.title);
        const CharsetChoice choice = chooseMarcCharset(iso2709, RecordCharsetSetting::Automatic);
        EXPECT_EQ(choice.charset, c.charset);
        EXPECT_EQ(choice.reason, c.reason);
        EXPECT_EQ(briefMarcFields(iso2709, choice.charset).title, c.brief);
        EXPECT_EQ(replacementCount(iso2709, choice.charset), c.replacements);
    }
}

TEST(CharsetChoiceTest, TargetSettingOverridesTheLeaderAndIsSaidSo) {
    const std::string latin1 = record(' ', "Boh\xE8me");
    const CharsetChoice choice = chooseMarcCharset(latin1, RecordCharsetSetting::Latin1);
    EXPECT_EQ(briefMarcFields(latin1, choice.charset).title, "Boh\xC3\xA8me");
    EXPECT_EQ(charsetChoiceText(choice), "ISO-8859-1 (set for this target)");
    EXPECT_EQ(charsetChoiceText({MarcCharset::Marc8, CharsetReason::NotUtf8}),
              "MARC-8 (leader says UTF-8; bytes are not UTF-8)");
    EXPECT_EQ(recordCharsetSetting(recordCharsetName(RecordCharsetSetting::Marc8)),
              RecordCharsetSetting::Marc8);
    EXPECT_EQ(recordCharsetSetting("marc8"), RecordCharsetSetting::Automatic);

    CharsetChoice back;
    EXPECT_FALSE(unpackCharsetChoice(0, back));  // not a MARC record
    ASSERT_TRUE(unpackCharsetChoice(packCharsetChoice(choice), back));
    EXPECT_EQ(back.charset, choice.charset);
    EXPECT_EQ(back.reason, choice.reason);
}

TEST(CharsetChoiceTest, ExportAsUtf8AndCleanUpKeepTheRestAsItCame) {
    const std::string marc8 = MarcBuilder("01234nam  2200000 a 4500")
                                  .control("001", "x1")
                                  .data("029", "1 ", {{'a', "dropped"}})
                                  .data("245", "10",
                                        {{'a',
                                          "Boh\xE1"
                                          "eme"}})
                                  .data("938", "  ", {{'a', "dropped"}})
                                  .data("999", "  ", {{'a', "dropped"}})
                                  .build();
    const Record r = stored(marc8, RecordCharsetSetting::Automatic);
    MarcExportOptions options;
    EXPECT_EQ(exportIso2709(r, options), marc8);
    options.drop = MarcTagPatterns("9XX, 029");
    const std::string kept = exportIso2709(r, options);
    EXPECT_EQ(kept, MarcBuilder("01234nam  2200000 a 4500")
                        .control("001", "x1")
                        .data("245", "10",
                              {{'a',
                                "Boh\xE1"
                                "eme"}})
                        .build());
    options.asUtf8 = true;
    const std::string utf8 = exportIso2709(r, options);
    EXPECT_EQ(utf8[9], 'a');
    EXPECT_EQ(MarcLeader(utf8).recordLength(), static_cast<int>(utf8.size()));
    EXPECT_NE(utf8.find("Boh\xC3\xA8me"), std::string::npos);
    EXPECT_EQ(utf8.find("dropped"), std::string::npos);
}

TEST(CharsetChoiceTest, MarcTextEscapesDollarsAndBlanks) {
    const std::string marc8 = MarcBuilder("00000nam  2200000 a 4500")
                                  .control("001", "x 1")
                                  .data("020", "  ", {{'a', "$12.50 {net}"}})
                                  .data("245", "10",
                                        {{'a',
                                          "Boh\xE1"
                                          "eme"},
                                         {'c', "by me"}})
                                  .build();
    const std::string text = exportMarcText(stored(marc8, RecordCharsetSetting::Automatic), {});
    EXPECT_EQ(text,
              "=LDR  00102nam\\a2200061\\a\\4500\n"
              "=001  x\\1\n"
              "=020  \\\\$a{dollar}12.50 {lcub}net{rcub}\n"
              "=245  10$aBoh\xC3\xA8me$cby me\n");
}
