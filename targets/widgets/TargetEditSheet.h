// The "Add Target" and "Edit Target" sheet: the "Target" page with the nine
// fields, the "Tags" page and the "Profile" page. UI thread only.
#pragma once

#include "ui/PropertySheet.h"

class PPTargetEdit;
class PPTargetEditTags;
class PPTargetProfile;
class TargetList;
struct Target;

class TargetEditSheet : public PropertySheet {
    Q_OBJECT
public:
    enum class Kind { Add, Edit };

    // Pages filled from target, offering the list's known values.
    TargetEditSheet(TargetList& list, const Target& target, Kind kind, QWidget* parent = nullptr);

    // The fields and tags of both pages written into target (id, active flag
    // and search state untouched).
    void store(Target& target) const;

    PPTargetEdit* targetPage() const { return targetPage_; }
    PPTargetEditTags* tagsPage() const { return tagsPage_; }
    PPTargetProfile* profilePage() const { return profilePage_; }

    // Shows the sheet modally; on OK writes the pages into target and returns
    // true. Tags added on the Tags page stay known in list even on Cancel.
    static bool run(TargetList& list, Target& target, Kind kind, QWidget* parent);

private:
    PPTargetEdit* targetPage_;
    PPTargetEditTags* tagsPage_;
    PPTargetProfile* profilePage_;
};
