#include "ui/WindowPlacement.h"

#include <QSettings>
#include <QWidget>

#include "settings/store/Settings.h"

namespace {
QString valueName(const QString& key) { return QStringLiteral("WindowPlacement/") + key; }
}  // namespace

void WindowPlacement::restore(QWidget* window, const QString& key) {
    if (!Settings::storeExists()) return;
    const QSettings store(QStringLiteral("Corvane"), QStringLiteral("QRN"));
    const QByteArray geometry = store.value(valueName(key)).toByteArray();
    if (!geometry.isEmpty()) window->restoreGeometry(geometry);
}

void WindowPlacement::save(const QWidget* window, const QString& key) {
    if (!Settings::storeExists()) return;
    QSettings store(QStringLiteral("Corvane"), QStringLiteral("QRN"));
    store.setValue(valueName(key), window->saveGeometry());
}
