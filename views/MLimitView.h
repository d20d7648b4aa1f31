// The databases tree: the root "Databases" with one item per active target,
// each showing the target's search state. Selecting an item chooses whose
// records and summary the other views show.
#pragma once

#include <QTreeWidget>
#include <map>

#include "document/DocumentView.h"

class ViewDocument;

class MLimitView : public QTreeWidget, public DocumentView {
    Q_OBJECT
public:
    explicit MLimitView(ViewDocument& doc, QWidget* parent = nullptr);
    ~MLimitView() override;

    void onUpdate(DocumentView* sender, int32_t hint, const SearchEventHint* event) override;

    // The item data of the selected item (-1 for the root or none).
    int32_t selectedTarget() const { return selectedTarget_; }

private:
    void rebuild();
    void refreshTexts();
    void selectionChanged();
    void doubleClicked(QTreeWidgetItem* item);
    void chooseTarget(int32_t id, bool evenIfUnchanged);

    ViewDocument& doc_;
    QTreeWidgetItem* root_ = nullptr;
    std::map<int32_t, QTreeWidgetItem*> items_;
    int32_t selectedTarget_ = -1;
};
