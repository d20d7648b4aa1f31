// A page of the Search sheet. On show it enables OK exactly while a target is
// active; a query page compiles its query into the document's SearchQuery
// whenever it is left, so the page left last decides. UI thread only.
#pragma once

#include <optional>
#include <string>

#include "ui/PropertyPage.h"

class DocumentCore;

class SearchPage : public PropertyPage {
    Q_OBJECT
public:
    SearchPage(const QString& caption, DocumentCore& doc, QWidget* parent = nullptr);

    void onShown() override;
    bool onLeaving() override;

    // The page's query as it stands; none for a page that compiles nothing.
    virtual std::optional<std::string> composedQuery() { return std::nullopt; }

protected:
    DocumentCore& doc_;
};
