#include "options/widgets/OptionsSheet.h"

#include "options/widgets/PPOptionsDisplay.h"
#include "options/widgets/PPOptionsDisplayMARC.h"
#include "options/widgets/PPOptionsDisplaySUTRS.h"
#include "options/widgets/PPOptionsDisplayXML.h"
#include "options/widgets/PPOptionsExport.h"
#include "options/widgets/PPOptionsLanguage.h"
#include "options/widgets/PPOptionsMain.h"
#include "options/widgets/PPRecordDisplay_XML_DC.h"
#include "options/widgets/PPRecordDisplay_XML_MARCXML.h"
#include "options/widgets/PPRecordDisplay_XML_MODS.h"
#include "document/DocumentCore.h"
#include "targets/widgets/PPTargets.h"

OptionsSheet::OptionsSheet(DocumentCore& doc, QWidget* parent)
    : PropertySheet(QStringLiteral("Options"), Mode::Tree, parent) {
    const SettingsData& s = *doc.settings;
    // The pages in sheet order; a nested caption follows the page it nests under.
    settingsPages_ = {new PPOptionsMain(s),
                      new PPOptionsDisplay,
                      new PPOptionsDisplayMARC(s),
                      new PPOptionsDisplayXML(s),
                      new PPRecordDisplay_XML_MARCXML(s),
                      new PPRecordDisplay_XML_MODS(s),
                      new PPRecordDisplay_XML_DC(s),
                      new PPOptionsDisplaySUTRS(s),
                      new PPOptionsExport(s),
                      new PPOptionsLanguage};
    for (PPOptionsPage* page : settingsPages_) addPage(page);
    targets_ = new PPTargets(doc.targetList, false, nullptr, doc.settings->MaxConnections);
    addPage(targets_);

    resize(680, 420);
    keepPlacement(QStringLiteral("Options"));
}

void OptionsSheet::store(SettingsData& settings) const {
    for (const PPOptionsPage* page : settingsPages_) page->store(settings);
}

OptionsSheetResult applyOptions(DocumentCore& doc, const SettingsData& edited) {
    OptionsSheetResult result;
    result.accepted = true;
    SettingsData& s = *doc.settings;
    const std::string oldTargetFile = s.TargetFile;
    s = edited;
    // Switched below, once the old file has its last changes.
    s.TargetFile = oldTargetFile;
    doc.pool->setMaxWorkers(s.MaxConnections);

    if (edited.TargetFile != oldTargetFile) {
        // No task may still hold a target of the list about to be replaced.
        doc.quiesce();
        doc.targetList.saveFile(oldTargetFile);
        s.TargetFile = edited.TargetFile;
        doc.targetList.loadFile(s.TargetFile);
        doc.store.clear();
        doc.selection.selectedTargetId = -1;
        doc.selection.selectedRecordNumber = -1;
        doc.search.totalHits = 0;
        doc.search.totalRetrieved = 0;
        result.targetFileSwitched = true;
    }
    return result;
}

OptionsSheetResult runOptionsSheet(DocumentCore& doc, QWidget* parent) {
    OptionsSheet sheet(doc, parent);
    if (sheet.exec() != QDialog::Accepted) return {};
    SettingsData edited = *doc.settings;
    sheet.store(edited);
    return applyOptions(doc, edited);
}
