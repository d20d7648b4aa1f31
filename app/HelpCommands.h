// Help > Contents and Help > Forum: the manual shipped in share/qrn/help, and
// the forum address of the "ForumURL" setting.
#pragma once

#include <QString>
#include <QUrl>
#include <string>

class QWidget;

// The forum's address when the setting holds a web address (http or https);
// an empty URL otherwise, and then Forum is unavailable.
QUrl forumUrl(const std::string& setting);

// dataDir/help/index.html, or empty when it is not there.
QString manualFile(const QString& dataDir);

// Shows the manual in the help window, one for the run, raised when open; a
// manual that is not there is said in a message box.
void showManual(QWidget* parent);
