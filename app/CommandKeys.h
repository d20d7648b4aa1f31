// The keys of the commands that the cataloguer's loop (search, choose, save)
// uses most; the menus show them beside the captions.
#pragma once

#include <QKeySequence>
#include <QString>

// The key of the command with this caption (without its '&'), or none.
QKeySequence commandKey(const QString& caption);
