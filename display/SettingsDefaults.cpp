#include "display/SettingsDefaults.h"

SettingsData freshInstallationSettings(const std::string& targetFile) {
    SettingsData s;
    s.MaxRecPerSearch = 1000;
    s.MaxRecPerTarget = 50;
    s.MaxConnections = 5;
    s.TargetFile = targetFile;
    s.MARCDisplayType = "YAZ";
    s.BasicSearch_TitleTitle = "Title";
    s.BasicSearch_TitlePQF = "@attr 1=4";
    s.BasicSearch_AuthorTitle = "Author";
    s.BasicSearch_AuthorPQF = "@attr 1=1003";
    s.AdvSearch_Title1 = "Title";
    s.AdvSearch_PQF1 = "@attr 1=4";
    s.AdvSearch_Title2 = "Author";
    s.AdvSearch_PQF2 = "@attr 1=1003";
    s.AdvSearch_Title3 = "Subject";
    s.AdvSearch_PQF3 = "@attr 1=21";
    s.AdvSearch_Title4 = "Any";
    s.AdvSearch_PQF4 = "@attr 1=1016";

    // SUTRS has no fixed layout; these follow the labelled-line form most
    // servers use ("Title: ...", "Author: ...", "Date: ..."), one line each.
    s.SUTRSTitleRE = "(?m)^\\s*title\\s*:\\s*([^\\r\\n]*)";
    s.SUTRSAuthorRE = "(?m)^\\s*(?:author|creator|name)\\s*:\\s*([^\\r\\n]*)";
    s.SUTRSDateRE = "(?m)^\\s*(?:date|year|published)\\s*:\\s*([^\\r\\n]*)";

    // The record element loses its namespace declarations before these run,
    // so MARCXML and MODS paths need no prefixes.
    s.DisplayMARCXMLTitleXPATH = "//datafield[@tag='245']/subfield[@code='a']";
    s.DisplayMARCXMLAuthorXPATH =
        "//datafield[@tag='100' or @tag='110' or @tag='700' or @tag='710']/subfield[@code='a']";
    s.DisplayMARCXMLDateXPATH =
        "//datafield[@tag='260' or @tag='264']/subfield[@code='c']";
    s.DisplayMODSTitleXPATH = "//titleInfo/title";
    s.DisplayMODSAuthorXPATH = "//name/namePart";
    s.DisplayMODSDateXPATH = "//originInfo/dateIssued";
    // Dublin Core children keep their dc: prefix after the root is rewritten,
    // so match by local name.
    s.DisplayDCTitleXPATH = "//*[local-name()='title']";
    s.DisplayDCAuthorXPATH = "//*[local-name()='creator']";
    s.DisplayDCDateXPATH = "//*[local-name()='date']";
    return s;
}
