// What a view may ask of the document: the engine's state (store, selection,
// targets), the update broadcast and the per-target commands a page's links
// run. The views know nothing else of the program, so they never include it.
#pragma once

#include <cstdint>

#include "document/DocumentView.h"
#include "document/DocumentCore.h"

class ViewDocument {
public:
    virtual ~ViewDocument() = default;

    virtual DocumentCore& core() = 0;

    virtual void addView(DocumentView* view) = 0;
    virtual void removeView(DocumentView* view) = 0;
    // Tells every view but sender of a change.
    virtual void updateAllViews(DocumentView* sender, int32_t hint,
                                const SearchEventHint* event = nullptr) = 0;

    // The list's selected rows changed: the commands that act on them follow.
    virtual void recordChoiceChanged() = 0;

    virtual void retryTarget(int32_t id) = 0;
    virtual void resumeTarget(int32_t id) = 0;
};
