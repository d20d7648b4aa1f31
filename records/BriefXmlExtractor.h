// Title, author and date of an XML record, by the XPath expressions the user
// set for its schema. One object per record.
#pragma once

#include <string>

#include "settings/SettingsData.h"
#include "xmlrecords/XmlSchema.h"

class BriefXmlExtractor {
public:
    // settings must outlive the object.
    BriefXmlExtractor(const SettingsData& settings, XmlSchema schema);

    // Any thread. Fills the fields from the record text; true when it parsed and
    // every query ran, also when nothing matched. A record that does not parse
    // shows "Error Parsing XML Record"; a rejected expression stops quietly,
    // keeping the fields filled before it.
    bool run(const std::string& xmlText);

    std::string title;
    std::string author;
    std::string date;

private:
    const SettingsData& settings_;
    XmlSchema schema_;
};

// Pure. The record element without its attributes (namespace declarations
// among them), and for Dublin Core without its srw_dc prefix, so expressions
// can name elements without prefixes. OtherXml text comes back unchanged.
std::string rewriteXmlRecordRoot(const std::string& xmlText, XmlSchema schema);
