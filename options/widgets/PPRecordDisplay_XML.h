// The pages of the XML schemas with pages of their own (MARCXML, MODS, Dublin
// Core): the schema's stylesheet and the XPath expressions of its title,
// author and date. One layout; each schema names its settings. UI thread only.
#pragma once

#include <memory>
#include <string>

#include "settings/SettingsData.h"
#include "options/widgets/PPOptionsPage.h"

namespace Ui {
class PPRecordDisplay_XML;
}

class PPRecordDisplay_XML : public PPOptionsPage {
    Q_OBJECT
public:
    // The settings a schema's page edits.
    struct Fields {
        std::string SettingsData::*stylesheet;
        std::string SettingsData::*titleXPath;
        std::string SettingsData::*authorXPath;
        std::string SettingsData::*dateXPath;
    };

    // label: the stylesheet's label, with its mnemonic.
    PPRecordDisplay_XML(const QString& caption, const QString& label, const Fields& fields,
                        const SettingsData& settings, QWidget* parent = nullptr);
    ~PPRecordDisplay_XML() override;

    void store(SettingsData& settings) const override;

private:
    Fields fields_;
    std::unique_ptr<Ui::PPRecordDisplay_XML> ui_;
};
