// The Databases page ("Databases"), last page of the Search and the Options
// sheets: the targets with check marks that decide which are active, filtered
// by location and tags; Add, Edit and Delete change the document's target list
// at once. In the Search sheet it keeps OK disabled while it is shown. UI
// thread only.
#pragma once

#include <memory>

#include "ui/PropertyPage.h"

class TargetList;

namespace Ui {
class PPTargets;
}

class PPTargets : public PropertyPage {
    Q_OBJECT
public:
    // connections: how many targets "Check Ticked" probes at a time.
    PPTargets(TargetList& list, bool controlsOkButton, QWidget* parent = nullptr,
              int connections = 4);
    ~PPTargets() override;

    void onShown() override;
    bool onLeaving() override;

    // Rebuilds the location, tag and target lists from the target list; check
    // marks not yet applied are lost.
    void refreshTargetList();
    // The active flags and the active count follow the check marks of the
    // entries shown, so hidden targets end inactive.
    void applyCheckMarks();
    void toggleSelectAll();
    // Add and Edit open the target sheet; Delete removes the selected target
    // without asking.
    void addTarget();
    void editTarget();
    void deleteTarget();
    void showPortNumbers();
    // Probes the ticked targets and unticks the unreachable ones when asked.
    void checkTicked();
    // "Import…": ZeeRex files or a folder of them, previewed, added on OK.
    void importFrom(const QStringList& paths);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitColumns();
    void chooseLocation(int index);
    void takeTagChecks();

    TargetList& list_;
    bool controlsOkButton_;
    bool selectAllNext_ = true;
    int connections_;
    std::unique_ptr<Ui::PPTargets> ui_;
};
