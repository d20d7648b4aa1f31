// A resizable window's size and position, kept in the settings store under
// "WindowPlacement", one value per window key. Like the other settings, the
// store is written only when it exists. UI thread only.
#pragma once

#include <QString>

class QWidget;

class WindowPlacement {
public:
    // Puts window where it was when last saved under key; nothing when never saved.
    static void restore(QWidget* window, const QString& key);
    // Keeps window's size and position under key.
    static void save(const QWidget* window, const QString& key);
};
