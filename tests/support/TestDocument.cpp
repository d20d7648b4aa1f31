#include "TestDocument.h"

#include <stdexcept>

#include "targets/Target.h"

Target& addSearchTarget(DocumentCore& doc, const std::string& name, const std::string& zurl,
                        const std::string& recsyntax, const std::string& elementSet, bool active) {
    TargetList& list = doc.targetList;
    Target target;
    target.id = ++list.nextId;
    target.name = name;
    target.zurl = zurl;
    target.recsyntax = recsyntax;
    target.elementsetname = elementSet;
    target.active = active;
    list.targets.push_back(target);
    return list.targets.back();
}

Target& targetById(DocumentCore& doc, int32_t id) {
    for (Target& t : doc.targetList.targets)
        if (t.id == id) return t;
    throw std::out_of_range("no target " + std::to_string(id));
}

void startSearch(DocumentCore& doc, const std::string& pqf) {
    doc.query.compile(pqf);
    doc.search.startSearch();
}

void startBatchSearch(DocumentCore& doc, const BatchNumberList& numbers) {
    useBatchNumbers(numbers, doc.query);
    doc.search.startSearch();
}
