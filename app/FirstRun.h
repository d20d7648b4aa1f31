// The program's own set-up on a first run where no installer ran: from the
// shipped data, or not at all.
#pragma once

#include <QString>

class QWidget;

// Sets the user up from dataDir when no settings store exists yet. Returns
// false when the program cannot go on: dataDir is empty (no shipped data was
// found), which it says in a message box, creating nothing. A set-up that
// fails half-way is reported too, but the program still runs.
bool setUpFirstRun(const QString& dataDir, QWidget* parent = nullptr);
