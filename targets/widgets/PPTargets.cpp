#include "targets/widgets/PPTargets.h"

#include <QFileDialog>
#include <QMenu>
#include <algorithm>
#include <set>

#include "directory/DirectoryImport.h"

#include "targets/Ports.h"
#include "targets/TargetFilter.h"
#include "targets/widgets/DlgPortNumbers.h"
#include "targets/widgets/DlgTargetCheck.h"
#include "targets/widgets/DlgTargetImport.h"
#include "targets/widgets/TargetEditSheet.h"
#include "ui_PPTargets.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PPTargets::PPTargets(TargetList& list, bool controlsOkButton, QWidget* parent, int connections)
    : PropertyPage(QStringLiteral("Databases"), parent),
      list_(list),
      controlsOkButton_(controlsOkButton),
      connections_(connections),
      ui_(std::make_unique<Ui::PPTargets>()) {
    ui_->setupUi(this);
    connect(ui_->locationList, &QComboBox::activated, this, &PPTargets::chooseLocation);
    connect(ui_->tagList, &CheckComboBox::closed, this, &PPTargets::takeTagChecks);
    connect(ui_->add, &QPushButton::clicked, this, &PPTargets::addTarget);
    connect(ui_->edit, &QPushButton::clicked, this, &PPTargets::editTarget);
    connect(ui_->remove, &QPushButton::clicked, this, &PPTargets::deleteTarget);
    connect(ui_->selectAll, &QPushButton::clicked, this, &PPTargets::toggleSelectAll);
    connect(ui_->portNumbers, &QPushButton::clicked, this, &PPTargets::showPortNumbers);
    connect(ui_->checkTicked, &QPushButton::clicked, this, &PPTargets::checkTicked);
    connect(ui_->targetList, &QTreeWidget::itemDoubleClicked, this, &PPTargets::editTarget);
    auto* importMenu = new QMenu(ui_->importTargets);
    importMenu->addAction(tr("&Files…"), this, [this] {
        importFrom(QFileDialog::getOpenFileNames(this, tr("Import Targets"), QString(),
                                                 tr("ZeeRex records (*.xml);;All files (*)")));
    });
    importMenu->addAction(tr("F&older…"), this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Import Targets"));
        if (!folder.isEmpty()) importFrom({folder});
    });
    ui_->importTargets->setMenu(importMenu);
    refreshTargetList();
}

PPTargets::~PPTargets() {
    // The tag list hides its popup while the children are destroyed, after
    // this page's own parts are gone.
    disconnect(ui_->tagList, nullptr, this, nullptr);
}

void PPTargets::onShown() {
    if (controlsOkButton_) setOkEnabled(false);
}

bool PPTargets::onLeaving() {
    applyCheckMarks();
    // The search page shown next decides on OK from the recount.
    if (controlsOkButton_) setOkEnabled(true);
    return true;
}

void PPTargets::refreshTargetList() {
    QComboBox* locations = ui_->locationList;
    locations->clear();
    locations->addItem(qs(kAllLocations));
    locations->setCurrentIndex(0);
    for (const std::string& location : list_.locations) {
        locations->addItem(qs(location));
        if (location == list_.selectedLocation) locations->setCurrentIndex(locations->count() - 1);
    }

    ui_->tagList->clearEntries();
    for (const auto& [tag, selected] : list_.tagTable) ui_->tagList->addEntry(qs(tag), selected);

    std::vector<CheckList::Entry> entries;
    for (const TargetEntry& entry : filterTargets(list_))
        entries.push_back({qs(entry.text), entry.id, entry.checked});
    ui_->targetList->setEntries(entries);
    fitColumns();
}

void PPTargets::fitColumns() {
    // The location column starts at a fixed place, as wide as a usual name,
    // unless the list is too narrow to show the location beside it.
    CheckList* targets = ui_->targetList;
    targets->fitColumns();
    const int usual = fontMetrics().averageCharWidth() * 145 / 4;
    const int room = targets->viewport()->width() * 2 / 3;
    targets->setColumnWidth(0, std::max(targets->columnWidth(0), std::min(usual, room)));
}

void PPTargets::resizeEvent(QResizeEvent* event) {
    PropertyPage::resizeEvent(event);
    fitColumns();
}

void PPTargets::applyCheckMarks() {
    std::vector<int32_t> ids;
    for (qint64 id : ui_->targetList->checkedIds()) ids.push_back(static_cast<int32_t>(id));
    ::applyCheckMarks(list_, ids);
}

void PPTargets::toggleSelectAll() {
    const bool check = selectAllNext_;
    selectAllNext_ = !selectAllNext_;
    ui_->selectAll->setText(check ? tr("&Unselect All") : tr("&Select All"));
    ui_->targetList->setAllChecked(check);
}

void PPTargets::addTarget() {
    Target target;
    // Someone who adds a catalogue usually means to search it, for full MARC
    // records, which most catalogues serve.
    target.active = true;
    target.recsyntax = "marc21";
    target.elementsetname = "F";
    if (!TargetEditSheet::run(list_, target, TargetEditSheet::Kind::Add, window())) return;
    ::addTarget(list_, std::move(target));
    refreshTargetList();
}

void PPTargets::editTarget() {
    applyCheckMarks();
    qint64 id = 0;
    if (!ui_->targetList->selectedId(id)) return;
    const Target* found = findTarget(list_, static_cast<int32_t>(id));
    if (!found) return;
    Target edited = *found;
    if (!TargetEditSheet::run(list_, edited, TargetEditSheet::Kind::Edit, window())) return;
    updateTarget(list_, static_cast<int32_t>(id), edited);
    refreshTargetList();
}

void PPTargets::deleteTarget() {
    qint64 id = 0;
    if (!ui_->targetList->selectedId(id)) return;
    ::deleteTarget(list_, static_cast<int32_t>(id));
    refreshTargetList();
}

void PPTargets::showPortNumbers() {
    DlgPortNumbers dialog(portNumbersText(usedPorts(list_)), window());
    dialog.exec();
}

void PPTargets::checkTicked() {
    applyCheckMarks();
    std::vector<Target> ticked;
    for (const Target& t : list_.targets)
        if (t.active) ticked.push_back(t);
    if (ticked.empty()) return;
    DlgTargetCheck box(std::move(ticked), connections_, window());
    if (box.exec() != QDialog::Accepted || box.deadIds().empty()) return;
    const std::set<int32_t> dead(box.deadIds().begin(), box.deadIds().end());
    std::vector<int32_t> keep;
    for (qint64 id : ui_->targetList->checkedIds())
        if (!dead.count(static_cast<int32_t>(id))) keep.push_back(static_cast<int32_t>(id));
    ::applyCheckMarks(list_, keep);
    refreshTargetList();
}

void PPTargets::chooseLocation(int index) {
    list_.selectedLocation = ui_->locationList->itemText(index).toStdString();
    refreshTargetList();
}

void PPTargets::takeTagChecks() {
    std::vector<std::pair<std::string, bool>> entries;
    const QStringList tags = ui_->tagList->entries();
    for (int i = 0; i < tags.size(); ++i)
        entries.emplace_back(tags[i].toStdString(), ui_->tagList->isChecked(i));
    replaceTagTable(list_, entries);
    refreshTargetList();
}

void PPTargets::importFrom(const QStringList& paths) {
    if (paths.isEmpty()) return;
    applyCheckMarks();
    DlgTargetImport box(paths, keysOfList(list_), window());
    if (box.exec() != QDialog::Accepted) return;
    applyImport(list_, box.plan());
    refreshTargetList();
}
