#include "settings/store/Settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <memory>
#include <string>

#include "settings/SettingsDefaults.h"

namespace {

// A stored string is read into 255 bytes, so longer values read as empty.
constexpr int kMaxReadLength = 254;

std::unique_ptr<QSettings> openStore() {
    return std::make_unique<QSettings>(QStringLiteral("Corvane"), QStringLiteral("QRN"));
}

std::string readString(const QSettings& store, const char* name) {
    const QVariant value = store.value(QLatin1String(name));
    if (!value.isValid()) return std::string();
    const QByteArray bytes = value.toString().toUtf8();
    if (bytes.size() > kMaxReadLength) return std::string();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void readNumber(const QSettings& store, const char* name, int32_t& field, int32_t fallback) {
    bool ok = false;
    const int value = store.value(QLatin1String(name)).toInt(&ok);
    field = ok ? static_cast<int32_t>(value) : fallback;
}

void writeString(QSettings& store, const char* name, const std::string& value) {
    store.setValue(QLatin1String(name), QString::fromUtf8(value.data(), static_cast<int>(value.size())));
}

void writeNumber(QSettings& store, const char* name, int32_t value) {
    store.setValue(QLatin1String(name), static_cast<int>(value));
}

void writeAll(QSettings& store, const SettingsData& s) {
    writeNumber(store, "MaxRecPerSearch", s.MaxRecPerSearch);
    writeNumber(store, "MaxRecPerTarget", s.MaxRecPerTarget);
    writeNumber(store, "MaxConnections", s.MaxConnections);
    writeString(store, "MARCCustomXSL", s.MARCCustomXSL);
    writeString(store, "MARCDisplayType", s.MARCDisplayType);
    writeString(store, "BasicSearch_TitleTitle", s.BasicSearch_TitleTitle);
    writeString(store, "BasicSearch_TitlePQF", s.BasicSearch_TitlePQF);
    writeString(store, "BasicSearch_AuthorTitle", s.BasicSearch_AuthorTitle);
    writeString(store, "BasicSearch_AuthorPQF", s.BasicSearch_AuthorPQF);
    writeString(store, "AdvSearch_Title1", s.AdvSearch_Title1);
    writeString(store, "AdvSearch_PQF1", s.AdvSearch_PQF1);
    writeString(store, "AdvSearch_Title2", s.AdvSearch_Title2);
    writeString(store, "AdvSearch_PQF2", s.AdvSearch_PQF2);
    writeString(store, "AdvSearch_Title3", s.AdvSearch_Title3);
    writeString(store, "AdvSearch_PQF3", s.AdvSearch_PQF3);
    writeString(store, "AdvSearch_Title4", s.AdvSearch_Title4);
    writeString(store, "AdvSearch_PQF4", s.AdvSearch_PQF4);
    writeString(store, "TargetFile", s.TargetFile);
    writeString(store, "MSXMLVersion", s.MSXMLVersion);
    writeString(store, "InsertDBString", s.InsertDBString);
    writeString(store, "InsertSQL", s.InsertSQL);
    writeString(store, "SUTRSTitleRE", s.SUTRSTitleRE);
    writeString(store, "SUTRSAuthorRE", s.SUTRSAuthorRE);
    writeString(store, "SUTRSDateRE", s.SUTRSDateRE);
    writeString(store, "DefaultXMLXSL", s.DefaultXMLXSL);
    writeString(store, "DisplayXML_MARCXML", s.DisplayXML_MARCXML);
    writeString(store, "DisplayXML_MODS", s.DisplayXML_MODS);
    writeString(store, "DisplayXML_DC", s.DisplayXML_DC);
    writeString(store, "DisplayMARCXMLTitleXPATH", s.DisplayMARCXMLTitleXPATH);
    writeString(store, "DisplayMARCXMLAuthorXPATH", s.DisplayMARCXMLAuthorXPATH);
    writeString(store, "DisplayMARCXMLDateXPATH", s.DisplayMARCXMLDateXPATH);
    writeString(store, "DisplayMODSTitleXPATH", s.DisplayMODSTitleXPATH);
    writeString(store, "DisplayMODSAuthorXPATH", s.DisplayMODSAuthorXPATH);
    writeString(store, "DisplayMODSDateXPATH", s.DisplayMODSDateXPATH);
    writeString(store, "DisplayDCTitleXPATH", s.DisplayDCTitleXPATH);
    writeString(store, "DisplayDCAuthorXPATH", s.DisplayDCAuthorXPATH);
    writeString(store, "DisplayDCDateXPATH", s.DisplayDCDateXPATH);
    writeString(store, "ForumURL", s.ForumURL);
    writeString(store, "SRUMappingFile", s.SRUMappingFile);
    writeString(store, "MarcExportEncoding", s.MarcExportEncoding);
    writeString(store, "ExportDropTags", s.ExportDropTags);
}

}  // namespace

Settings::Settings() { load(); }

Settings::~Settings() { save(); }

bool Settings::storeExists() { return QFileInfo::exists(openStore()->fileName()); }

std::string Settings::storeLocation() { return openStore()->fileName().toStdString(); }

void Settings::load() { loadInto(*this); }

SettingsData Settings::readValues() {
    SettingsData values;
    loadInto(values);
    return values;
}

void Settings::loadInto(SettingsData& s) {
    // Numbers missing from the store take the installer's values, so limits
    // are never zero by accident.
    const SettingsData fresh = freshInstallationSettings(std::string());
    s = SettingsData();
    s.MaxRecPerSearch = fresh.MaxRecPerSearch;
    s.MaxRecPerTarget = fresh.MaxRecPerTarget;
    s.MaxConnections = fresh.MaxConnections;
    if (!storeExists()) return;

    const auto store = openStore();
    readNumber(*store, "MaxRecPerSearch", s.MaxRecPerSearch, fresh.MaxRecPerSearch);
    readNumber(*store, "MaxRecPerTarget", s.MaxRecPerTarget, fresh.MaxRecPerTarget);
    readNumber(*store, "MaxConnections", s.MaxConnections, fresh.MaxConnections);
    s.TargetFile = readString(*store, "TargetFile");
    s.InsertDBString = readString(*store, "InsertDBString");
    s.InsertSQL = readString(*store, "InsertSQL");
    s.MSXMLVersion = readString(*store, "MSXMLVersion");
    s.MARCDisplayType = readString(*store, "MARCDisplayType");
    s.MARCCustomXSL = readString(*store, "MARCCustomXSL");
    s.BasicSearch_TitleTitle = readString(*store, "BasicSearch_TitleTitle");
    s.BasicSearch_TitlePQF = readString(*store, "BasicSearch_TitlePQF");
    s.BasicSearch_AuthorTitle = readString(*store, "BasicSearch_AuthorTitle");
    s.BasicSearch_AuthorPQF = readString(*store, "BasicSearch_AuthorPQF");
    s.AdvSearch_Title1 = readString(*store, "AdvSearch_Title1");
    s.AdvSearch_PQF1 = readString(*store, "AdvSearch_PQF1");
    s.AdvSearch_Title2 = readString(*store, "AdvSearch_Title2");
    s.AdvSearch_PQF2 = readString(*store, "AdvSearch_PQF2");
    s.AdvSearch_Title3 = readString(*store, "AdvSearch_Title3");
    s.AdvSearch_PQF3 = readString(*store, "AdvSearch_PQF3");
    s.AdvSearch_Title4 = readString(*store, "AdvSearch_Title4");
    s.AdvSearch_PQF4 = readString(*store, "AdvSearch_PQF4");
    s.SUTRSTitleRE = readString(*store, "SUTRSTitleRE");
    s.SUTRSAuthorRE = readString(*store, "SUTRSAuthorRE");
    s.SUTRSDateRE = readString(*store, "SUTRSDateRE");
    s.DefaultXMLXSL = readString(*store, "DefaultXMLXSL");
    s.DisplayXML_MARCXML = readString(*store, "DisplayXML_MARCXML");
    s.DisplayXML_MODS = readString(*store, "DisplayXML_MODS");
    s.DisplayXML_DC = readString(*store, "DisplayXML_DC");
    s.DisplayMARCXMLTitleXPATH = readString(*store, "DisplayMARCXMLTitleXPATH");
    s.DisplayMARCXMLAuthorXPATH = readString(*store, "DisplayMARCXMLAuthorXPATH");
    s.DisplayMARCXMLDateXPATH = readString(*store, "DisplayMARCXMLDateXPATH");
    s.DisplayMODSTitleXPATH = readString(*store, "DisplayMODSTitleXPATH");
    s.DisplayMODSAuthorXPATH = readString(*store, "DisplayMODSAuthorXPATH");
    s.DisplayMODSDateXPATH = readString(*store, "DisplayMODSDateXPATH");
    s.DisplayDCTitleXPATH = readString(*store, "DisplayDCTitleXPATH");
    s.DisplayDCAuthorXPATH = readString(*store, "DisplayDCAuthorXPATH");
    s.DisplayDCDateXPATH = readString(*store, "DisplayDCDateXPATH");
    s.ForumURL = readString(*store, "ForumURL");
    s.SRUMappingFile = readString(*store, "SRUMappingFile");
    s.MarcExportEncoding = readString(*store, "MarcExportEncoding");
    s.ExportDropTags = readString(*store, "ExportDropTags");
}

void Settings::save() const {
    if (!storeExists()) return;
    const auto store = openStore();
    // The connection string may hold a password: the owner's eyes only. Qt
    // keeps the file's permissions when it rewrites it.
    ::chmod(QFile::encodeName(store->fileName()).constData(), 0600);
    writeAll(*store, *this);
    store->sync();  // failures stay silent, like every settings write
}

bool Settings::createStore(const SettingsData& values) {
    if (storeExists()) return false;
    const auto store = openStore();
    const QString file = store->fileName();
    QDir().mkpath(QFileInfo(file).absolutePath());
    const int fd =
        ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) ::close(fd);
    writeAll(*store, values);
    store->sync();
    return store->status() == QSettings::NoError && storeExists();
}
