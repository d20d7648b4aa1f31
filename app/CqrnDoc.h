// The program's one document: owns the engine's DocumentCore and adds what
// needs Qt: the commands, the update broadcast to the views, and the way worker
// events and user messages reach the UI thread. UI thread only.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "document/ViewDocument.h"
#include "document/DocumentCore.h"
#include "export/FileExportKind.h"

class BatchOutcomes;
class QWidget;
class QueuedSearchEventSink;

class CqrnDoc : public QObject, public ViewDocument {
    Q_OBJECT
public:
    // makeSettings: the persistent store in the program, plain values in tests.
    explicit CqrnDoc(const DocumentCore::SettingsFactory& makeSettings, QObject* parent = nullptr);
    // Stops the search, joins the workers, releases the members in reverse
    // order; the settings are saved on the way.
    ~CqrnDoc() override;

    DocumentCore& core() override { return *core_; }
    const DocumentCore& core() const { return *core_; }

    // The new-document step (at start-up and on File > New).
    bool onNewDocument();

    void addView(DocumentView* view) override;
    void removeView(DocumentView* view) override;
    // Tells every view but sender of a change.
    void updateAllViews(DocumentView* sender, int32_t hint,
                        const SearchEventHint* event = nullptr) override;

    // Commands.
    void search(QWidget* parent);
    // Searches the ticked targets for pqf at once, without the search sheet.
    void searchQuery(const std::string& pqf);
    void stop();
    void resume();
    void options(QWidget* parent);
    // The records in scope (Selection, List, or Target with targetId) to a
    // file. One selected record is written as itself; more, or a whole list or
    // target, as one file of many records.
    void exportFile(FileExportKind kind, QWidget* parent,
                    RecordScope scope = RecordScope::Selection, int32_t targetId = -1);
    // The records in scope into a database, all in one transaction.
    void exportDatabase(QWidget* parent, RecordScope scope = RecordScope::Selection,
                        int32_t targetId = -1);
    void retryTarget(int32_t id) override;
    void resumeTarget(int32_t id) override;
    void recordChoiceChanged() override;

    // Writes the settings to the store (no-op for plain values).
    void saveSettings();

    // How user messages are shown; tests replace it. Runs on the UI thread.
    static std::function<void(const QString& text)>& messagePresenter();

signals:
    // A search event was handled; text is the new progress text.
    void progressText(const QString& text);
    // Something that decides command availability changed.
    void stateChanged();
    // A batch search has come to its end (once per search).
    void batchSearchEnded();

private:
    void handleSearchEvent(int32_t code, int32_t targetId);
    void saveTargetList();

    std::unique_ptr<DocumentCore> core_;
    std::unique_ptr<QueuedSearchEventSink> sink_;
    std::vector<DocumentView*> views_;
    std::shared_ptr<const BatchOutcomes> endedBatch_;
};
