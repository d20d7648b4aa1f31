// "Record Display::XML::MODS": the MODS stylesheet and brief-field
// expressions. UI thread only.
#pragma once

#include "options/widgets/PPRecordDisplay_XML.h"

class PPRecordDisplay_XML_MODS : public PPRecordDisplay_XML {
public:
    explicit PPRecordDisplay_XML_MODS(const SettingsData& settings, QWidget* parent = nullptr)
        : PPRecordDisplay_XML(
              QStringLiteral("Record Display::XML::MODS"), QStringLiteral("&MODS"),
              {&SettingsData::DisplayXML_MODS, &SettingsData::DisplayMODSTitleXPATH,
               &SettingsData::DisplayMODSAuthorXPATH, &SettingsData::DisplayMODSDateXPATH},
              settings, parent) {}
};
