// "Record Display::XML::DC": the Dublin Core stylesheet and brief-field
// expressions. UI thread only.
#pragma once

#include "options/widgets/PPRecordDisplay_XML.h"

class PPRecordDisplay_XML_DC : public PPRecordDisplay_XML {
public:
    explicit PPRecordDisplay_XML_DC(const SettingsData& settings, QWidget* parent = nullptr)
        : PPRecordDisplay_XML(
              QStringLiteral("Record Display::XML::DC"), QStringLiteral("D&ublin Core XSLT"),
              {&SettingsData::DisplayXML_DC, &SettingsData::DisplayDCTitleXPATH,
               &SettingsData::DisplayDCAuthorXPATH, &SettingsData::DisplayDCDateXPATH},
              settings, parent) {}
};
