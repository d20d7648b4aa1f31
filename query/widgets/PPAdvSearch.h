// The advanced search page ("Search::Advanced Search"): four rows of attribute
// button and term, rows 2 to 4 joined to the rows above by their operator
// list. UI thread only.
#pragma once

#include <array>
#include <memory>

#include "query/SearchAttribute.h"
#include "query/widgets/SearchPage.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class PPAdvSearch;
}

class PPAdvSearch : public SearchPage {
    Q_OBJECT
public:
    // rows: the four rows' attributes, copied from the settings.
    PPAdvSearch(DocumentCore& doc, const std::array<SearchAttribute, 4>& rows,
                QWidget* parent = nullptr);
    ~PPAdvSearch() override;

    std::optional<std::string> composedQuery() override;
    const std::array<SearchAttribute, 4>& rows() const { return rows_; }

    // Row i's (0 to 3) widgets; row 0 has no operator list.
    QLineEdit* term(int row) const;
    QComboBox* operatorList(int row) const;
    QPushButton* attributeButton(int row) const;

private:
    std::unique_ptr<Ui::PPAdvSearch> ui_;
    std::array<SearchAttribute, 4> rows_;
};
