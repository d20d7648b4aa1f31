#include "targets/widgets/TargetEditSheet.h"

#include "targets/Target.h"
#include "targets/widgets/PPTargetEdit.h"
#include "targets/widgets/PPTargetEditTags.h"

TargetEditSheet::TargetEditSheet(TargetList& list, const Target& target, Kind kind, QWidget* parent)
    : PropertySheet(
          kind == Kind::Add ? QStringLiteral("Add Target") : QStringLiteral("Edit Target"),
          Mode::Tree, parent),
      targetPage_(new PPTargetEdit(list, target)),
      tagsPage_(new PPTargetEditTags(list, target.tags)) {
    addPage(targetPage_);
    addPage(tagsPage_);
}

void TargetEditSheet::store(Target& target) const {
    targetPage_->store(target);
    target.tags = tagsPage_->tags();
}

bool TargetEditSheet::run(TargetList& list, Target& target, Kind kind, QWidget* parent) {
    TargetEditSheet sheet(list, target, kind, parent);
    if (sheet.exec() != QDialog::Accepted) return false;
    sheet.store(target);
    return true;
}
