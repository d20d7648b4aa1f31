#include "ui/ViewPreferences.h"

#include <QSettings>

#include "settings/store/Settings.h"

namespace {
QString valueName(const QString& name) { return QStringLiteral("View/") + name; }
}  // namespace

bool ViewPreferences::flag(const QString& name, bool fallback) {
    if (!Settings::storeExists()) return fallback;
    const QSettings store(QStringLiteral("Corvane"), QStringLiteral("QRN"));
    return store.value(valueName(name), fallback).toBool();
}

void ViewPreferences::setFlag(const QString& name, bool value) {
    if (!Settings::storeExists()) return;
    QSettings store(QStringLiteral("Corvane"), QStringLiteral("QRN"));
    store.setValue(valueName(name), value);
}

QString ViewPreferences::text(const QString& name, const QString& fallback) {
    if (!Settings::storeExists()) return fallback;
    const QSettings store(QStringLiteral("Corvane"), QStringLiteral("QRN"));
    return store.value(valueName(name), fallback).toString();
}

void ViewPreferences::setText(const QString& name, const QString& value) {
    if (!Settings::storeExists()) return;
    QSettings store(QStringLiteral("Corvane"), QStringLiteral("QRN"));
    store.setValue(valueName(name), value);
}
