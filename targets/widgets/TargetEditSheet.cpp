#include "targets/widgets/TargetEditSheet.h"

#include "targets/Target.h"
#include "targets/widgets/PPTargetEdit.h"
#include "targets/widgets/PPTargetEditTags.h"
#include "targets/widgets/PPTargetProfile.h"

TargetEditSheet::TargetEditSheet(TargetList& list, const Target& target, Kind kind, QWidget* parent)
    : PropertySheet(
          kind == Kind::Add ? QStringLiteral("Add Target") : QStringLiteral("Edit Target"),
          Mode::Tree, parent),
      targetPage_(new PPTargetEdit(list, target)),
      tagsPage_(new PPTargetEditTags(list, target.tags)),
      profilePage_(new PPTargetProfile(target.profile, [this] {
          Target current;
          targetPage_->store(current);
          return current;
      })) {
    addPage(targetPage_);
    addPage(tagsPage_);
    addPage(profilePage_);
}

void TargetEditSheet::store(Target& target) const {
    targetPage_->store(target);
    target.tags = tagsPage_->tags();
    target.profile = profilePage_->profile();
}

bool TargetEditSheet::run(TargetList& list, Target& target, Kind kind, QWidget* parent) {
    TargetEditSheet sheet(list, target, kind, parent);
    if (sheet.exec() != QDialog::Accepted) return false;
    sheet.store(target);
    return true;
}
