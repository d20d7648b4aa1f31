#include "GuiDocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "TestDocument.h"

GuiDocument::GuiDocument(const SettingsData& settings) {
    doc_ =
        std::make_unique<CqrnDoc>([settings] { return std::make_unique<SettingsData>(settings); });
    CqrnDoc::messagePresenter() = [this](const QString& text) { messages << text; };
    core().pool->setMaxWorkers(settings.MaxConnections);
}

GuiDocument::~GuiDocument() { doc_.reset(); }

Target& GuiDocument::addTarget(const std::string& name, const std::string& zurl, bool active,
                               const std::string& recsyntax, const std::string& elementSet) {
    return addSearchTarget(core(), name, zurl, recsyntax, elementSet, active);
}

Target& GuiDocument::target(int32_t id) { return targetById(core(), id); }

void GuiDocument::start(const std::string& pqf) { startSearch(core(), pqf); }

bool GuiDocument::settle(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (core().searchSettled()) {
            // Events posted by the last task are queued before it went idle.
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            return true;
        }
        QThread::msleep(5);
    }
    return false;
}
