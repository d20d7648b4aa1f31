#include "app/CqrnDoc.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>

#include "app/QueuedSearchEventSink.h"
#include "settings/store/Settings.h"
#include "options/widgets/OptionsSheet.h"
#include "base/UserMessage.h"
#include "export/widgets/RecordExport.h"
#include "export/widgets/RecordsExport.h"
#include "query/widgets/SearchSheet.h"

std::function<void(const QString&)>& CqrnDoc::messagePresenter() {
    static std::function<void(const QString&)> presenter = [](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("qrn"), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    };
    return presenter;
}

CqrnDoc::CqrnDoc(const DocumentCore::SettingsFactory& makeSettings, QObject* parent)
    : QObject(parent), core_(std::make_unique<DocumentCore>(makeSettings)) {
    sink_ = std::make_unique<QueuedSearchEventSink>(
        this, [this](int32_t code, int32_t targetId) { handleSearchEvent(code, targetId); });
    core_->search.setEventSink(sink_.get());
    core_->search.setViewBroadcast([this](int32_t hint, const SearchEventHint* event) {
        updateAllViews(nullptr, hint, event);
    });
    // Messages may come from workers; a worker must never wait for a click,
    // so every message is queued to the UI thread.
    QObject* context = this;
    setUserMessageSink([context](const std::string& text) {
        const QString message = QString::fromStdString(text);
        QMetaObject::invokeMethod(
            context, [message] { messagePresenter()(message); }, Qt::QueuedConnection);
    });
}

CqrnDoc::~CqrnDoc() {
    // Workers post to the sink and raise messages: join them first.
    core_.reset();
    setUserMessageSink(UserMessageSink());
    sink_.reset();
}

bool CqrnDoc::onNewDocument() {
    const bool ok = core_->newDocument();
    emit stateChanged();
    return ok;
}

void CqrnDoc::addView(DocumentView* view) { views_.push_back(view); }

void CqrnDoc::removeView(DocumentView* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CqrnDoc::updateAllViews(DocumentView* sender, int32_t hint, const SearchEventHint* event) {
    // A view may change the selection and notify again while handling this.
    const std::vector<DocumentView*> views = views_;
    for (DocumentView* view : views)
        if (view != sender) view->onUpdate(sender, hint, event);
    emit stateChanged();
}

void CqrnDoc::handleSearchEvent(int32_t code, int32_t targetId) {
    // The views are told through the broadcast, which also emits stateChanged.
    const std::string text = core_->handleSearchEvent(code, targetId);
    emit progressText(QString::fromStdString(text));
    const std::shared_ptr<const BatchOutcomes> batch = core_->search.batchOutcomes();
    if (batch && batch != endedBatch_ && core_->search.searchMayStart()) {
        endedBatch_ = batch;
        emit batchSearchEnded();
    }
}

void CqrnDoc::saveSettings() {
    if (auto* persistent = dynamic_cast<Settings*>(core_->settings.get())) persistent->save();
}

void CqrnDoc::saveTargetList() { core_->targetList.saveFile(core_->settings->TargetFile); }

void CqrnDoc::search(QWidget* parent) {
    if (!core_->search.searchMayStart()) return;
    // The Databases page may delete targets: no task of a stopped search may
    // still be working on one.
    core_->quiesce();
    core_->query.batchList.clear();
    core_->query.batchNumbers.clear();
    core_->query.batchRefused.clear();
    core_->query.batch = false;
    if (runSearchSheet(*core_, parent)) {
        saveSettings();
        core_->search.startSearch();
    }
    // Changes made on the Databases page are kept even when cancelled.
    saveTargetList();
    emit stateChanged();
}

void CqrnDoc::searchQuery(const std::string& pqf) {
    if (!core_->search.searchMayStart()) return;
    core_->quiesce();
    core_->query.batchList.clear();
    core_->query.batchNumbers.clear();
    core_->query.batch = false;
    if (core_->query.compile(pqf)) core_->search.startSearch();
    emit stateChanged();
}

void CqrnDoc::options(QWidget* parent) {
    if (!core_->search.searchMayStart()) return;
    core_->quiesce();
    const OptionsSheetResult result = runOptionsSheet(*core_, parent);
    if (result.accepted) saveSettings();
    if (result.targetFileSwitched) {
        // No row may keep pointing at a target or record that is gone.
        updateAllViews(nullptr, HINT_SEARCH_STARTED);
        updateAllViews(nullptr, HINT_SEARCH_QUEUED);
    }
    saveTargetList();
    emit stateChanged();
}

void CqrnDoc::stop() {
    core_->search.stopSearch();
    emit stateChanged();
}

void CqrnDoc::resume() {
    if (!core_->search.resumeAvailable()) return;
    core_->search.resumeAll();
    emit stateChanged();
}

void CqrnDoc::retryTarget(int32_t id) {
    core_->search.retryTarget(id);
    emit stateChanged();
}

void CqrnDoc::resumeTarget(int32_t id) {
    core_->search.resumeTarget(id);
    emit stateChanged();
}

void CqrnDoc::recordChoiceChanged() { emit stateChanged(); }

void CqrnDoc::exportFile(FileExportKind kind, QWidget* parent, RecordScope scope,
                         int32_t targetId) {
    const std::vector<int32_t> numbers = core_->recordNumbers(scope, targetId);
    if (numbers.empty()) return;
    if (scope == RecordScope::Selection && numbers.size() == 1)
        exportRecordToFile(*core_, numbers.front(), kind, parent);
    else
        exportRecordsToFile(*core_, numbers, kind, parent);
}

void CqrnDoc::exportDatabase(QWidget* parent, RecordScope scope, int32_t targetId) {
    const std::vector<int32_t> numbers = core_->recordNumbers(scope, targetId);
    if (numbers.empty()) return;
    if (exportRecordToDatabase(*core_, numbers, parent)) saveSettings();
}
