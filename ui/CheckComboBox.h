// A drop-down list with a check box in front of every entry. Closed, it shows
// the checked entries joined by the list separator; it stays open while entries
// are ticked and tells when it closes. UI thread only.
#pragma once

#include <QComboBox>
#include <QStringList>

class CheckComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CheckComboBox(QWidget* parent = nullptr);

    // The separator between checked entries in the closed text: the locale
    // offers none through Qt, so ";".
    static QString listSeparator();
    // entries joined by separator, trailing blanks of the separator removed.
    static QString joinChecked(const QStringList& entries, const QString& separator);

    void addEntry(const QString& text, bool checked);
    void clearEntries();
    int entryCount() const { return count(); }
    bool isChecked(int index) const;
    void setChecked(int index, bool checked);
    // Every entry's text, in list order.
    QStringList entries() const;
    QStringList checkedEntries() const;
    // What the closed list shows.
    QString closedText() const;

    void showPopup() override;
    void hidePopup() override;

signals:
    // The open list was closed (the checks may have changed).
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggle(const QModelIndex& index);

    // Set by a press inside the open list: the release of the click that
    // opened it may land on an entry and must not tick it.
    bool pressedInList_ = false;
};
