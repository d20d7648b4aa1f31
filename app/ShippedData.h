// Where the program's shipped data (default target list, stylesheets, demo
// catalogue) lives: share/qrn beside or above the executable, as in the build
// folder and under an installation prefix.
#pragma once

#include <QString>

// The folder, or an empty string when none holds a targets.xml.
QString shippedDataDir();
