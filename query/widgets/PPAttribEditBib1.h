// The "Bib-1" page of the attribute editor: six lists of Bib-1 attributes whose
// chosen entries make the computed PQF, and a title typed by hand (fixed empty
// when only attributes are edited). When left it puts both into the editor's
// result. UI thread only.
#pragma once

#include <memory>
#include <vector>

#include "query/SearchAttribute.h"
#include "ui/PropertyPage.h"

class QComboBox;

namespace Ui {
class PPAttribEditBib1;
}

class PPAttribEditBib1 : public PropertyPage {
    Q_OBJECT
public:
    PPAttribEditBib1(bool titleEditable, SearchAttribute& result, QWidget* parent = nullptr);
    ~PPAttribEditBib1() override;

    bool onLeaving() override;
    // The list of attribute type type (1 to 6), for the keyboard and tests.
    QComboBox* list(int type) const;

private:
    void recompute();

    std::unique_ptr<Ui::PPAttribEditBib1> ui_;
    SearchAttribute& result_;
    std::vector<QComboBox*> lists_;  // in attribute-type order
};
