// The browse buttons of the Options pages. UI thread only.
#pragma once

#include <QString>

class QAbstractButton;
class QLineEdit;

// Name filters of the file dialogs, in Qt's "Description (*.ext)" form.
inline const QString kTargetFileFilter = QStringLiteral("XML (*.xml);;All Files (*)");
inline const QString kCqlMappingFilter =
    QStringLiteral("CQL Mappings (*.properties *.txt);;All Files (*)");
inline const QString kStylesheetFilter = QStringLiteral("XSL Templates (*.xsl);;All Files (*)");

// button opens a file dialog proposing edit's path; the file chosen replaces it.
// mayBeNew: a name that is not a file yet may be chosen too.
void connectBrowse(QAbstractButton* button, QLineEdit* edit, const QString& filter,
                   bool mayBeNew = false);
