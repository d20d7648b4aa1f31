// The file dialogs of the export commands, behind one replaceable function so
// that tests can answer them without a dialog. UI thread only.
#pragma once

#include <QString>
#include <functional>

class QWidget;

struct FileRequest {
    enum class Mode { Save, Open };
    Mode mode = Mode::Save;
    QString caption;
    // Qt's form: "MARC (*.mrc);;All Files (*)".
    QString filter;
    // Added to a name typed without one; empty for none.
    QString defaultSuffix;
    // When set: the filter shown first, and on return the one the user left chosen.
    QString* selectedFilter = nullptr;
    // Where the dialog starts, and the name it proposes (Save); empty for none.
    QString directory;
    QString fileName;
    // Save: false for a file that is added to rather than replaced.
    bool confirmOverwrite = true;
};

// Save: asks before overwriting. Open: only an existing
// file. An empty result means the user cancelled.
using FileChooser = std::function<QString(QWidget* parent, const FileRequest& request)>;

// Asks through the installed chooser (Qt's file dialogs unless replaced).
QString chooseFile(QWidget* parent, const FileRequest& request);

// Replaces the chooser; an empty one restores Qt's file dialogs.
void setFileChooser(FileChooser chooser);
