// The databases tree: the root "Databases" with one item per active target,
// each showing the target's search state. Selecting an item chooses whose
// records and summary the other views show.
#pragma once

#include <QTreeWidget>
#include <map>
#include <string>

#include "document/DocumentView.h"

struct Target;
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

    // What an item's text is made of, as last shown: with a few hundred
    // targets, making every text again at every event is felt.
    struct Status {
        int32_t state = -1;
        bool aborted = false;
        bool error = false;
        int32_t retrieved = 0;
        int32_t hits = 0;
        bool operator==(const Status& o) const {
            return state == o.state && aborted == o.aborted && error == o.error &&
                   retrieved == o.retrieved && hits == o.hits;
        }
    };
    struct Item {
        QTreeWidgetItem* item = nullptr;
        Status shown;
        std::string name;
    };
    static Status statusOf(const Target& target);

    ViewDocument& doc_;
    QTreeWidgetItem* root_ = nullptr;
    std::map<int32_t, Item> items_;
    int32_t selectedTarget_ = -1;
};
