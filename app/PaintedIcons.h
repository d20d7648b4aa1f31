// Plain drawings for the commands that the style has no icon for, so a
// machine without an icon theme still shows a usable toolbar.
#pragma once

#include <QIcon>

class QPalette;

enum PaintedIcon { CutIcon = -2, CopyIcon = -3, PasteIcon = -4, PrintIcon = -5 };

QIcon paintedIcon(int which, const QPalette& palette);
