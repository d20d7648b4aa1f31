#include "GuiDocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "TestSupport.h"

GuiDocument::GuiDocument(const SettingsData& settings) {
    doc_ =
        std::make_unique<CqrnDoc>([settings] { return std::make_unique<SettingsData>(settings); });
    CqrnDoc::messagePresenter() = [this](const QString& text) { messages << text; };
    core().pool->setMaxWorkers(settings.MaxConnections);
    core().targetList.nextId = 1;
}

GuiDocument::~GuiDocument() { doc_.reset(); }

Target& GuiDocument::addTarget(const std::string& name, const std::string& zurl, bool active,
                               const std::string& recsyntax, const std::string& elementSet) {
    TargetList& list = core().targetList;
    Target target;
    target.id = list.nextId++;
    target.name = name;
    target.zurl = zurl;
    target.recsyntax = recsyntax;
    target.elementsetname = elementSet;
    target.active = active;
    list.targets.push_back(target);
    return list.targets.back();
}

Target& GuiDocument::target(int32_t id) {
    for (Target& t : core().targetList.targets)
        if (t.id == id) return t;
    throw std::out_of_range("no target " + std::to_string(id));
}

void GuiDocument::start(const std::string& pqf) {
    core().query.compile(pqf);
    core().search.startSearch();
}

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
