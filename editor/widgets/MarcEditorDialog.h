// The record editor: MARC text with its validation findings under it.
#pragma once

#include <QDialog>
#include <string>

class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QTimer;

class MarcEditorDialog : public QDialog {
    Q_OBJECT
public:
    // text: the record's MARC text (UTF-8).
    MarcEditorDialog(const QString& title, const std::string& text, QWidget* parent = nullptr);

    // The corrected record as UTF-8 ISO 2709, once the dialog was accepted.
    const std::string& correctedIso2709() const { return m_corrected; }
    QPlainTextEdit* textEdit() const { return m_text; }
    QListWidget* findingsList() const { return m_findings; }

    // Keyboard commands on the field (line) under the cursor.
    void addField();
    void duplicateField();
    void deleteField();
    void moveField(int direction);
    // Puts the cursor on the first field with this tag; false when none has it.
    bool jumpToTag(const QString& tag);

public slots:
    void accept() override;

private:
    void refreshFindings();
    void goToFinding(QListWidgetItem* item);
    void goToLine(int line);

    QPlainTextEdit* m_text;
    QListWidget* m_findings;
    QTimer* m_refresh;
    std::string m_corrected;
};
