#include "settings/SettingsDefaults.h"

const char* const kMarcXmlStylesheet = "xsl/marcxml.xsl";
const char* const kModsStylesheet = "xsl/mods.xsl";
const char* const kDublinCoreStylesheet = "xsl/dc.xsl";
const char* const kDefaultXmlStylesheet = "xsl/xml-tree.xsl";

SettingsData freshInstallationSettings(const std::string& targetFile, const std::string& dataDir) {
    SettingsData s;
    if (!dataDir.empty()) {
        const std::string base = dataDir.back() == '/' ? dataDir : dataDir + "/";
        s.MARCCustomXSL = base + kMarcXmlStylesheet;
        s.DisplayXML_MARCXML = base + kMarcXmlStylesheet;
        s.DisplayXML_MODS = base + kModsStylesheet;
        s.DisplayXML_DC = base + kDublinCoreStylesheet;
        s.DefaultXMLXSL = base + kDefaultXmlStylesheet;
    }
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
    // servers use ("Title: ...", "Author: ...", "Date: ..."), one line each, in
    // any letter case. A "Date:" or "Year:" line anywhere beats the year of a
    // "Published:" line, which often comes first.
    s.SUTRSTitleRE = "(?mi)^[ \\t]*title[ \\t]*:[ \\t]*([^\\r\\n]*)";
    s.SUTRSAuthorRE = "(?mi)^[ \\t]*(?:author|creator|name)[ \\t]*:[ \\t]*([^\\r\\n]*)";
    s.SUTRSDateRE =
        "(?mi)(?|\\A.*?^[ \\t]*(?:date|year)[ \\t]*:[ \\t]*([^\\r\\n]*)"
        "|^[ \\t]*published[ \\t]*:[^\\r\\n]*?([0-9]{4}[^\\r\\n]*))";

    // The record element loses its attributes before these run, but a MARCXML
    // collection or an old MODS wrapper still puts the fields in a default
    // namespace, so elements are matched by local name. MARCXML follows the
    // ISO 2709 rules: the whole 245, the whole 100, else 110/700/710 $a.
    s.DisplayMARCXMLTitleXPATH = "//*[local-name()='datafield'][@tag='245']";
    s.DisplayMARCXMLAuthorXPATH =
        "//*[local-name()='datafield'][@tag='100'] | "
        "//*[local-name()='datafield'][@tag='110' or @tag='700' or @tag='710']"
        "/*[local-name()='subfield'][@code='a'][normalize-space()]";
    s.DisplayMARCXMLDateXPATH =
        "//*[local-name()='datafield'][@tag='260' or @tag='264']"
        "/*[local-name()='subfield'][@code='c']";
    s.DisplayMODSTitleXPATH = "//*[local-name()='titleInfo']/*[local-name()='title']";
    s.DisplayMODSAuthorXPATH = "//*[local-name()='name']/*[local-name()='namePart']";
    s.DisplayMODSDateXPATH = "//*[local-name()='dateIssued']";
    // Once srw_dc:dc has become dc, the dc: prefix of its children is no longer
    // declared and the parser keeps "dc:title" as the plain name; where the
    // prefix is declared (oai_dc:dc, dc:dc) the local name matches.
    s.DisplayDCTitleXPATH = "//*[name()='dc:title' or local-name()='title']";
    s.DisplayDCAuthorXPATH = "//*[name()='dc:creator' or local-name()='creator']";
    s.DisplayDCDateXPATH = "//*[name()='dc:date' or local-name()='date']";
    return s;
}
