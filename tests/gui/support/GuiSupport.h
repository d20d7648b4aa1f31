// Shared pieces of the window tests.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "TestSupport.h"

class QDialog;
class QWidget;

// Points HOME, XDG_CONFIG_HOME and XDG_DATA_HOME at a fresh temporary folder for
// the life of the object, so the settings store and the target list of the test
// never meet the user's. Make it before the first QSettings of the process.
class IsolatedUserDirs {
public:
    IsolatedUserDirs();
    ~IsolatedUserDirs();
    const TempDir& home() const { return home_; }
    // Where QSettings("Corvane", "QRN") lives under it.
    QString settingsFile() const;

private:
    TempDir home_;
    QByteArray saved_[3];
};

// The child of parent named name; ends the test program when there is none,
// since every later step would be about the wrong widget.
template <typename T>
T* namedChild(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no child named %s", name);
    return child;
}

// Gives w the keyboard focus and types text into it key by key.
void typeInto(QWidget* w, const QString& text);
// The same into page's child named name (see namedChild).
void typeInto(QWidget* page, const char* name, const QString& text);

// Saves a picture of widget as <QRN_TEST_BINARY_DIR>/gui-shots/<name>.png for a
// person to look at; returns the file's path (empty when it could not be saved).
QString grabToFile(QWidget* widget, const QString& name);

// Runs action on the next modal dialog that comes up and is active within timeoutMs, from the
// event loop of whoever opened it (exec() of a message box, a file dialog, a
// sheet). A dialog the action leaves open is rejected timeoutMs later, with any
// dialog opened on top of it, so a test never hangs on a modal loop.
void whenModal(std::function<void(QDialog*)> action, int timeoutMs = 10000);

// The mnemonic letters that more than one visible label or button of window
// uses (Alt+letter would then be ambiguous), lower-cased; empty when none.
QStringList duplicateMnemonics(QWidget* window);

// Closes every message box that comes up while it lives, keeping its text and
// detailed text ("text\ndetail" when there is a detail).
class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    const QStringList& texts() const { return *texts_; }
    // Titles of the boxes seen.
    const QStringList& titles() const { return *titles_; }

private:
    std::shared_ptr<QStringList> texts_;
    std::shared_ptr<QStringList> titles_;
    QPointer<QObject> timer_;
};
