// "Record Display::XML::MARCXML": the MARCXML stylesheet and brief-field
// expressions. UI thread only.
#pragma once

#include "options/widgets/PPRecordDisplay_XML.h"

class PPRecordDisplay_XML_MARCXML : public PPRecordDisplay_XML {
public:
    explicit PPRecordDisplay_XML_MARCXML(const SettingsData& settings, QWidget* parent = nullptr)
        : PPRecordDisplay_XML(
              QStringLiteral("Record Display::XML::MARCXML"), QStringLiteral("&MARCXML XSLT"),
              {&SettingsData::DisplayXML_MARCXML, &SettingsData::DisplayMARCXMLTitleXPATH,
               &SettingsData::DisplayMARCXMLAuthorXPATH, &SettingsData::DisplayMARCXMLDateXPATH},
              settings, parent) {}
};
