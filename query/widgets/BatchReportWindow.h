// The "Batch Report" window: a row per number of the last batch search with
// what it found where. Double-click asks for that number's records in the
// record list; the report exports as tab-separated text, and the numbers
// nothing came back for as a numbers file for another round. UI thread only.
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "query/BatchReport.h"

class QLabel;
class QPushButton;
class QTableWidget;

class BatchReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit BatchReportWindow(QWidget* parent = nullptr);

    void setReport(std::vector<BatchReportRow> rows);
    const std::vector<BatchReportRow>& rows() const { return rows_; }
    QTableWidget* table() const { return table_; }

    // Write the report and the unfound numbers; false with a box when the file
    // cannot be written.
    bool exportReport(const QString& path);
    bool exportUnfoundNumbers(const QString& path);

signals:
    void recordsChosen(const std::vector<int32_t>& records);

private:
    bool writeFile(const QString& path, const std::string& bytes);
    void chooseReportFile();
    void chooseNumbersFile();

    QLabel* summary_;
    QTableWidget* table_;
    QPushButton* exportNumbers_;
    std::vector<BatchReportRow> rows_;
};

// "12 numbers: 9 found, 2 not found, 1 error".
QString batchReportSummary(const std::vector<BatchReportRow>& rows);
