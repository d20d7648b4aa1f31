// The "Target" page of the target sheet: name, address, record type, element
// set name, location, website, online catalogue, user name and password. UI
// thread only.
#pragma once

#include <memory>

#include "ui/PropertyPage.h"

class TargetList;
struct Target;

namespace Ui {
class PPTargetEdit;
}

class PPTargetEdit : public PropertyPage {
    Q_OBJECT
public:
    // Fields filled from target; the element set names and locations known to
    // list are offered.
    PPTargetEdit(const TargetList& list, const Target& target, QWidget* parent = nullptr);
    ~PPTargetEdit() override;

    // The nine fields as they stand written into target; no record type
    // chosen gives an empty recsyntax.
    void store(Target& target) const;

private:
    std::unique_ptr<Ui::PPTargetEdit> ui_;
};
