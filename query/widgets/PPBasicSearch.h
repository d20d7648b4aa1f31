// The basic search page ("Search"): a title row and an author row, each an
// attribute button and a term field. UI thread only.
#pragma once

#include <array>
#include <memory>

#include "query/SearchAttribute.h"
#include "query/widgets/SearchPage.h"

namespace Ui {
class PPBasicSearch;
}

class PPBasicSearch : public SearchPage {
    Q_OBJECT
public:
    // rows: the title and author rows' attributes, copied from the settings.
    PPBasicSearch(DocumentCore& doc, const std::array<SearchAttribute, 2>& rows,
                  QWidget* parent = nullptr);
    ~PPBasicSearch() override;

    std::optional<std::string> composedQuery() override;
    // The rows as they stand (trimmed by a compile), to be kept in the settings.
    const std::array<SearchAttribute, 2>& rows() const { return rows_; }

private:
    std::unique_ptr<Ui::PPBasicSearch> ui_;
    std::array<SearchAttribute, 2> rows_;
};
