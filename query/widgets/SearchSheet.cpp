#include "query/widgets/SearchSheet.h"

#include "document/DocumentCore.h"
#include "query/widgets/PPAdvSearch.h"
#include "query/widgets/PPBasicSearch.h"
#include "query/widgets/PPISBNBatchSearch.h"
#include "query/widgets/PPPQFSearch.h"
#include "targets/widgets/PPTargets.h"

SearchSheet::SearchSheet(DocumentCore& doc, QWidget* parent)
    : PropertySheet(QStringLiteral("Search"), Mode::Tree, parent) {
    TargetList& targets = doc.targetList;
    targets.activeCount = 0;
    for (const Target& t : targets.targets)
        if (t.active) ++targets.activeCount;

    const SettingsData& s = *doc.settings;
    basic_ = new PPBasicSearch(doc, {{{s.BasicSearch_TitleTitle, s.BasicSearch_TitlePQF},
                                      {s.BasicSearch_AuthorTitle, s.BasicSearch_AuthorPQF}}});
    advanced_ = new PPAdvSearch(doc, {{{s.AdvSearch_Title1, s.AdvSearch_PQF1},
                                       {s.AdvSearch_Title2, s.AdvSearch_PQF2},
                                       {s.AdvSearch_Title3, s.AdvSearch_PQF3},
                                       {s.AdvSearch_Title4, s.AdvSearch_PQF4}}});
    batch_ = new PPISBNBatchSearch(doc);
    pqf_ = new PPPQFSearch(doc);

    // The pages in sheet order.
    addPage(basic_);
    addPage(advanced_);
    addPage(batch_);
    addPage(pqf_);
    addPage(new PPTargets(doc.targetList, true, nullptr, doc.settings->MaxConnections));

    resize(640, 400);
    keepPlacement(QStringLiteral("Search"));
}

void SearchSheet::storeRows(SettingsData& s) const {
    const auto& basic = basic_->rows();
    s.BasicSearch_TitleTitle = basic[0].title;
    s.BasicSearch_TitlePQF = basic[0].pqf;
    s.BasicSearch_AuthorTitle = basic[1].title;
    s.BasicSearch_AuthorPQF = basic[1].pqf;
    const auto& adv = advanced_->rows();
    s.AdvSearch_Title1 = adv[0].title;
    s.AdvSearch_PQF1 = adv[0].pqf;
    s.AdvSearch_Title2 = adv[1].title;
    s.AdvSearch_PQF2 = adv[1].pqf;
    s.AdvSearch_Title3 = adv[2].title;
    s.AdvSearch_PQF3 = adv[2].pqf;
    s.AdvSearch_Title4 = adv[3].title;
    s.AdvSearch_PQF4 = adv[3].pqf;
}

bool runSearchSheet(DocumentCore& doc, QWidget* parent) {
    SearchSheet sheet(doc, parent);
    if (sheet.exec() != QDialog::Accepted) return false;
    sheet.storeRows(*doc.settings);
    return true;
}
