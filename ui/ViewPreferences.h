// How the user last set up a view (a column shown or not), kept in the
// settings store under "View", one value per name. Like the other settings,
// the store is written only when it exists. UI thread only.
#pragma once

#include <QString>

class ViewPreferences {
public:
    // The stored choice; fallback when never stored or without a store.
    static bool flag(const QString& name, bool fallback);
    static void setFlag(const QString& name, bool value);
    static QString text(const QString& name, const QString& fallback);
    static void setText(const QString& name, const QString& value);
};
