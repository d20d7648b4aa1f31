// The user's options as plain values. Worker threads read a copy of these taken
// when a search starts, so an Options sheet confirmed mid-search is never seen
// half-made; the persistent object is Settings (Settings.h).
// Below the engine and free of Qt; the store on top of it is settings/store/.
#pragma once

#include <cstdint>
#include <string>

struct SettingsData {
    SettingsData() = default;
    SettingsData(const SettingsData&) = default;
    SettingsData& operator=(const SettingsData&) = default;
    virtual ~SettingsData() = default;

    int32_t MaxRecPerSearch = 0;
    int32_t MaxRecPerTarget = 0;
    int32_t MaxConnections = 0;
    std::string TargetFile;
    std::string InsertDBString;
    std::string InsertSQL;
    std::string MSXMLVersion;
    std::string MARCDisplayType;
    std::string MARCCustomXSL;
    std::string BasicSearch_TitleTitle;
    std::string BasicSearch_TitlePQF;
    std::string BasicSearch_AuthorTitle;
    std::string BasicSearch_AuthorPQF;
    std::string AdvSearch_Title1;
    std::string AdvSearch_PQF1;
    std::string AdvSearch_Title2;
    std::string AdvSearch_PQF2;
    std::string AdvSearch_Title3;
    std::string AdvSearch_PQF3;
    std::string AdvSearch_Title4;
    std::string AdvSearch_PQF4;
    std::string SUTRSTitleRE;
    std::string SUTRSAuthorRE;
    std::string SUTRSDateRE;
    std::string DefaultXMLXSL;
    std::string DisplayXML_MARCXML;
    std::string DisplayXML_MODS;
    std::string DisplayXML_DC;
    std::string DisplayMARCXMLTitleXPATH;
    std::string DisplayMARCXMLAuthorXPATH;
    std::string DisplayMARCXMLDateXPATH;
    std::string DisplayMODSTitleXPATH;
    std::string DisplayMODSAuthorXPATH;
    std::string DisplayMODSDateXPATH;
    std::string DisplayDCTitleXPATH;
    std::string DisplayDCAuthorXPATH;
    std::string DisplayDCDateXPATH;
    // Address that Help > Forum opens; empty (no forum) in a fresh installation.
    std::string ForumURL;
    // The user's PQF-to-CQL mapping for SRU targets; empty: the shipped one.
    std::string SRUMappingFile;
    // MARC export: "utf-8" converts every record; anything else writes it as received.
    std::string MarcExportEncoding;
    // Tags left out of exported records, patterns with X for any digit: "9XX 029".
    std::string ExportDropTags;
};
