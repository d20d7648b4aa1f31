#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "settings/store/Settings.h"
#include "settings/SettingsDefaults.h"

namespace {

// Points QSettings at a private folder so the user's own store is never touched.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir.path()));
    }
    std::string storeFile() const { return dir.path() + "/Corvane/QRN.conf"; }
    QSettings raw() const { return QSettings(QStringLiteral("Corvane"), QStringLiteral("QRN")); }
    TempDir dir;
};

// Every string field; with the three numbers, every value of the store.
// clang-format off
const std::vector<std::pair<const char*, std::string SettingsData::*>> kStringFields = {
#define QRN_FIELD(name) {#name, &SettingsData::name}
    QRN_FIELD(TargetFile), QRN_FIELD(InsertDBString), QRN_FIELD(InsertSQL),
    QRN_FIELD(MSXMLVersion), QRN_FIELD(MARCDisplayType), QRN_FIELD(MARCCustomXSL),
    QRN_FIELD(BasicSearch_TitleTitle), QRN_FIELD(BasicSearch_TitlePQF),
    QRN_FIELD(BasicSearch_AuthorTitle), QRN_FIELD(BasicSearch_AuthorPQF),
    QRN_FIELD(AdvSearch_Title1), QRN_FIELD(AdvSearch_PQF1), QRN_FIELD(AdvSearch_Title2),
    QRN_FIELD(AdvSearch_PQF2), QRN_FIELD(AdvSearch_Title3), QRN_FIELD(AdvSearch_PQF3),
    QRN_FIELD(AdvSearch_Title4), QRN_FIELD(AdvSearch_PQF4), QRN_FIELD(SUTRSTitleRE),
    QRN_FIELD(SUTRSAuthorRE), QRN_FIELD(SUTRSDateRE), QRN_FIELD(DefaultXMLXSL),
    QRN_FIELD(DisplayXML_MARCXML), QRN_FIELD(DisplayXML_MODS), QRN_FIELD(DisplayXML_DC),
    QRN_FIELD(DisplayMARCXMLTitleXPATH), QRN_FIELD(DisplayMARCXMLAuthorXPATH),
    QRN_FIELD(DisplayMARCXMLDateXPATH), QRN_FIELD(DisplayMODSTitleXPATH),
    QRN_FIELD(DisplayMODSAuthorXPATH), QRN_FIELD(DisplayMODSDateXPATH),
    QRN_FIELD(DisplayDCTitleXPATH), QRN_FIELD(DisplayDCAuthorXPATH),
    QRN_FIELD(DisplayDCDateXPATH), QRN_FIELD(ForumURL), QRN_FIELD(SRUMappingFile),
    QRN_FIELD(MarcExportEncoding), QRN_FIELD(ExportDropTags),
#undef QRN_FIELD
};
// clang-format on

SettingsData everyFieldDistinct() {
    SettingsData s;
    s.MaxRecPerSearch = 123456;
    s.MaxRecPerTarget = -7;
    s.MaxConnections = 9;
    int i = 0;
    for (const auto& field : kStringFields) {
        // Characters an INI file must escape, and non-ASCII UTF-8.
        s.*field.second = "v" + std::to_string(i++) + " = \"q\" ; [x] \\ é/ü";
    }
    return s;
}

void expectSameFields(const SettingsData& got, const SettingsData& expected) {
    EXPECT_EQ(got.MaxRecPerSearch, expected.MaxRecPerSearch);
    EXPECT_EQ(got.MaxRecPerTarget, expected.MaxRecPerTarget);
    EXPECT_EQ(got.MaxConnections, expected.MaxConnections);
    for (const auto& field : kStringFields)
        EXPECT_EQ(got.*field.second, expected.*field.second) << field.first;
}

}  // namespace

TEST_F(SettingsTest, AbsentStoreReadsNothingAndWritesNothing) {
    {
        Settings s;
        EXPECT_EQ(s.TargetFile, "");
        EXPECT_EQ(s.MARCDisplayType, "");
        EXPECT_GT(s.MaxRecPerSearch, 0);
        EXPECT_GT(s.MaxRecPerTarget, 0);
        EXPECT_GT(s.MaxConnections, 0);
        s.TargetFile = "changed";
        s.save();
    }  // the destructor saves too
    EXPECT_FALSE(std::filesystem::exists(storeFile()));
    EXPECT_FALSE(Settings::storeExists());
}

TEST_F(SettingsTest, EveryFieldRoundTrips) {
    ASSERT_TRUE(Settings::createStore(SettingsData()));
    const SettingsData expected = everyFieldDistinct();
    {
        Settings s;
        static_cast<SettingsData&>(s) = expected;
    }  // saved at destruction
    // The list above covers every value the store holds.
    EXPECT_EQ(static_cast<size_t>(raw().allKeys().size()), kStringFields.size() + 3);
    // Read by a second store object, written back by it, and read by a third.
    {
        Settings second;
        expectSameFields(second, expected);
        second.save();
    }
    Settings third;
    expectSameFields(third, expected);
}

TEST_F(SettingsTest, NumbersAreStoredAsIntegers) {
    SettingsData values;
    values.MaxRecPerSearch = 2147483647;
    values.MaxRecPerTarget = 0;
    values.MaxConnections = 3;
    ASSERT_TRUE(Settings::createStore(values));
    EXPECT_EQ(raw().value("MaxRecPerSearch").toInt(), 2147483647);
    Settings s;
    EXPECT_EQ(s.MaxRecPerSearch, 2147483647);
    EXPECT_EQ(s.MaxRecPerTarget, 0);
    EXPECT_EQ(s.MaxConnections, 3);
}

TEST_F(SettingsTest, LongValueIsWrittenButReadsBackEmpty) {
    ASSERT_TRUE(Settings::createStore(SettingsData()));
    {
        Settings s;
        s.InsertSQL = std::string(300, 'x');
        s.TargetFile = std::string(254, 'y');
    }
    EXPECT_EQ(raw().value("InsertSQL").toString().size(), 300);
    Settings s;
    EXPECT_EQ(s.InsertSQL, "");
    EXPECT_EQ(s.TargetFile, std::string(254, 'y'));
}

TEST_F(SettingsTest, MissingValueAfterPresentOneReadsEmpty) {
    ASSERT_TRUE(Settings::createStore(everyFieldDistinct()));
    raw().remove("InsertDBString");  // read right after TargetFile
    Settings s;
    EXPECT_FALSE(s.TargetFile.empty());
    EXPECT_EQ(s.InsertDBString, "");
    EXPECT_FALSE(s.InsertSQL.empty());
}

TEST_F(SettingsTest, CreateStoreNeverOverwritesTheUsersStore) {
    SettingsData mine;
    mine.TargetFile = "mine.xml";
    ASSERT_TRUE(Settings::createStore(mine));
    EXPECT_FALSE(Settings::createStore(freshInstallationSettings("other.xml")));
    Settings s;
    EXPECT_EQ(s.TargetFile, "mine.xml");
}

// The store holds the database password: only its owner may read it.
TEST_F(SettingsTest, StoreIsTheOwnersAlone) {
    ASSERT_TRUE(Settings::createStore(SettingsData()));
    EXPECT_EQ(std::filesystem::status(storeFile()).permissions(), std::filesystem::perms(0600));
    std::filesystem::permissions(storeFile(), std::filesystem::perms(0644));
    Settings().save();
    EXPECT_EQ(std::filesystem::status(storeFile()).permissions(), std::filesystem::perms(0600));
}

TEST_F(SettingsTest, FreshInstallationValuesAreUsable) {
    const SettingsData fresh = freshInstallationSettings("/t.xml");
    EXPECT_GT(fresh.MaxRecPerSearch, 0);
    EXPECT_GT(fresh.MaxRecPerTarget, 0);
    EXPECT_GE(fresh.MaxConnections, 2);
    EXPECT_LE(fresh.MaxConnections, 10);
    EXPECT_EQ(fresh.MARCDisplayType, "YAZ");
    EXPECT_EQ(fresh.BasicSearch_TitlePQF, "@attr 1=4");
    EXPECT_EQ(fresh.AdvSearch_Title4, "Any");
    EXPECT_EQ(fresh.AdvSearch_PQF4, "@attr 1=1016");
    // Every stored string must survive the read limit.
    ASSERT_TRUE(Settings::createStore(fresh));
    Settings s;
    EXPECT_EQ(s.DisplayMARCXMLAuthorXPATH, fresh.DisplayMARCXMLAuthorXPATH);
    EXPECT_EQ(s.SUTRSTitleRE, fresh.SUTRSTitleRE);
    EXPECT_EQ(s.TargetFile, "/t.xml");
}
