#include "query/widgets/SearchPage.h"

#include "document/DocumentCore.h"

SearchPage::SearchPage(const QString& caption, DocumentCore& doc, QWidget* parent)
    : PropertyPage(caption, parent), doc_(doc) {}

void SearchPage::onShown() { setOkEnabled(doc_.targetList.activeCount > 0); }

bool SearchPage::onLeaving() {
    // An unreadable query is not refused here: the search reports it per target.
    if (const std::optional<std::string> query = composedQuery()) doc_.query.compile(*query);
    return true;
}
