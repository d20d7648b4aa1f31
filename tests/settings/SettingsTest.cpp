#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <filesystem>

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

SettingsData everyFieldDistinct() {
    SettingsData s;
    s.MaxRecPerSearch = 123456;
    s.MaxRecPerTarget = -7;
    s.MaxConnections = 9;
    std::string* strings[] = {
        &s.TargetFile, &s.InsertDBString, &s.InsertSQL, &s.MSXMLVersion, &s.MARCDisplayType,
        &s.MARCCustomXSL, &s.BasicSearch_TitleTitle, &s.BasicSearch_TitlePQF,
        &s.BasicSearch_AuthorTitle, &s.BasicSearch_AuthorPQF, &s.AdvSearch_Title1,
        &s.AdvSearch_PQF1, &s.AdvSearch_Title2, &s.AdvSearch_PQF2, &s.AdvSearch_Title3,
        &s.AdvSearch_PQF3, &s.AdvSearch_Title4, &s.AdvSearch_PQF4, &s.SUTRSTitleRE,
        &s.SUTRSAuthorRE, &s.SUTRSDateRE, &s.DefaultXMLXSL, &s.DisplayXML_MARCXML,
        &s.DisplayXML_MODS, &s.DisplayXML_DC, &s.DisplayMARCXMLTitleXPATH,
        &s.DisplayMARCXMLAuthorXPATH, &s.DisplayMARCXMLDateXPATH, &s.DisplayMODSTitleXPATH,
        &s.DisplayMODSAuthorXPATH, &s.DisplayMODSDateXPATH, &s.DisplayDCTitleXPATH,
        &s.DisplayDCAuthorXPATH, &s.DisplayDCDateXPATH};
    int i = 0;
    for (std::string* field : strings) {
        // Characters an INI file must escape, and non-ASCII UTF-8.
        *field = "v" + std::to_string(i++) + " = \"q\" ; [x] \\ é/ü";
    }
    return s;
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
    Settings back;
    const SettingsData& got = back;
    EXPECT_EQ(got.MaxRecPerSearch, expected.MaxRecPerSearch);
    EXPECT_EQ(got.MaxRecPerTarget, expected.MaxRecPerTarget);
    EXPECT_EQ(got.MaxConnections, expected.MaxConnections);
    EXPECT_EQ(got.TargetFile, expected.TargetFile);
    EXPECT_EQ(got.InsertSQL, expected.InsertSQL);
    EXPECT_EQ(got.AdvSearch_PQF4, expected.AdvSearch_PQF4);
    EXPECT_EQ(got.DisplayDCDateXPATH, expected.DisplayDCDateXPATH);
    // Compare the whole object field by field through a second round trip.
    Settings again;
    EXPECT_EQ(again.MSXMLVersion, expected.MSXMLVersion);
    EXPECT_EQ(again.MARCCustomXSL, expected.MARCCustomXSL);
    EXPECT_EQ(again.SUTRSAuthorRE, expected.SUTRSAuthorRE);
    EXPECT_EQ(again.DisplayXML_MODS, expected.DisplayXML_MODS);
    EXPECT_EQ(again.DisplayMODSAuthorXPATH, expected.DisplayMODSAuthorXPATH);
    EXPECT_EQ(again.BasicSearch_AuthorTitle, expected.BasicSearch_AuthorTitle);
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
