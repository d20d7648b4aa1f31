// A list with a check box in front of every entry. An entry's text may hold
// tabs: each tab starts the next of the aligned columns. Entries are sorted by
// their whole text, ignoring case, and each carries an id. UI thread only.
#pragma once

#include <QTreeWidget>
#include <vector>

class CheckList : public QTreeWidget {
    Q_OBJECT
public:
    explicit CheckList(QWidget* parent = nullptr);

    struct Entry {
        QString text;
        qint64 id = 0;
        bool checked = false;
    };

    // Adds an entry in its sorted place.
    void addEntry(const QString& text, qint64 id, bool checked);
    // Replaces every entry at once: one change for the view and for a screen
    // reader, where adding entry by entry told them of each row.
    void setEntries(const std::vector<Entry>& entries);
    // Sizes every column but the last to its contents; call once the entries
    // are in.
    void fitColumns();
    int entryCount() const { return topLevelItemCount(); }
    // Entries by their row in display order.
    QString entryText(int row) const;
    qint64 entryId(int row) const;
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // Checks or unchecks every entry.
    void setAllChecked(bool checked);
    // Ids of the checked entries, in display order.
    std::vector<qint64> checkedIds() const;
    // The selected entry's id; false when none is selected.
    bool selectedId(qint64& id) const;

private:
    QTreeWidgetItem* makeItem(const QString& text, qint64 id, bool checked);
};
