// The "Custom" page of the attribute editor: the row's title and PQF, editable.
// When left it puts both into the editor's result. UI thread only.
#pragma once

#include <memory>

#include "query/SearchAttribute.h"
#include "ui/PropertyPage.h"

namespace Ui {
class PPAttribEditCustom;
}

class PPAttribEditCustom : public PropertyPage {
    Q_OBJECT
public:
    PPAttribEditCustom(const SearchAttribute& shown, SearchAttribute& result,
                       QWidget* parent = nullptr);
    ~PPAttribEditCustom() override;

    bool onLeaving() override;

protected:
    // For pages that show fixed values under another caption.
    PPAttribEditCustom(const QString& caption, bool editable, const SearchAttribute& shown,
                       SearchAttribute& result, QWidget* parent);

private:
    std::unique_ptr<Ui::PPAttribEditCustom> ui_;
    SearchAttribute& result_;
};
