// A view of the one document. The document tells its views of every change
// with an update code; views never call each other.
#pragma once

#include <cstdint>

#include "search/SearchEvent.h"

class DocumentView {
public:
    virtual ~DocumentView() = default;

    // UI thread. hint is a view update code (101, 102, 120, 121) or a search
    // event code (110 to 114, with the event); sender is the view that caused
    // it, or null.
    virtual void onUpdate(DocumentView* sender, int32_t hint, const SearchEventHint* event) = 0;

    // Whether this view is the frame's active view (the pane that last had the
    // keyboard focus).
    bool isActiveView() const { return active_; }
    void setActiveView(bool active) { active_ = active; }

private:
    bool active_ = false;
};
