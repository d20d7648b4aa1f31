// The Prefix Query Format page ("Search::Prefix Query Format"): a query field
// typed freely or built term by term with Add; its text, exactly as it stands,
// is the page's query. UI thread only.
#pragma once

#include <memory>

#include "query/widgets/SearchPage.h"

namespace Ui {
class PPPQFSearch;
}

class PPPQFSearch : public SearchPage {
    Q_OBJECT
public:
    explicit PPPQFSearch(DocumentCore& doc, QWidget* parent = nullptr);
    ~PPPQFSearch() override;

    std::optional<std::string> composedQuery() override;

private:
    void addTerm();
    void editAttributes();

    std::unique_ptr<Ui::PPPQFSearch> ui_;
};
