// The "Tags" page of the target sheet: the target's tags with Delete, and a
// field offering every known tag with Add. A tag added here becomes known to
// the target list at once, whatever closes the sheet. UI thread only.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "ui/PropertyPage.h"

class TargetList;

namespace Ui {
class PPTargetEditTags;
}

class PPTargetEditTags : public PropertyPage {
    Q_OBJECT
public:
    PPTargetEditTags(TargetList& list, std::set<std::string> tags, QWidget* parent = nullptr);
    ~PPTargetEditTags() override;

    // The page's copy of the target's tags.
    const std::set<std::string>& tags() const { return tags_; }

    void addTag();
    void deleteTag();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTags();

    TargetList& list_;
    std::set<std::string> tags_;
    std::unique_ptr<Ui::PPTargetEditTags> ui_;
};
