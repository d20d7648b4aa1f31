// Two to four records side by side (View > Compare Records): a column per
// record, fields aligned by tag and occurrence, differences marked in a
// column of their own and by colour, the quality marks on top.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <vector>

class ResultStore;
class CopyGrouping;
class QComboBox;
class QTableWidget;

class MCompareWindow : public QDialog {
    Q_OBJECT
public:
    // exportRecord: what the Export button does with the chosen record;
    // listed: the list's records in its order, whose rows the headers name;
    // sendRecord, when given, what the Send to Catalogue button does with it.
    MCompareWindow(const ResultStore& store, const std::vector<int32_t>& numbers,
                   std::function<void(int32_t)> exportRecord, QWidget* parent = nullptr,
                   const std::vector<int32_t>& listed = {},
                   std::function<void(int32_t)> sendRecord = {});

    QTableWidget* table() const { return table_; }
    QComboBox* recordChoice() const { return choice_; }

private:
    QTableWidget* table_;
    QComboBox* choice_;
};
