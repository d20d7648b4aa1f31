#include "app/CommandKeys.h"

#include <utility>

QKeySequence commandKey(const QString& caption) {
    // Only keys that no pane or the platform already takes; Ctrl+G groups copies.
    static const std::pair<const char*, QKeySequence> kKeys[] = {
        {"Search", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"Resume", QKeySequence(Qt::Key_F5)},
        {"Stop", QKeySequence(Qt::Key_Escape)},
        {"MARC", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"MARC Text", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
        {"XML", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X)},
        {"Add to File", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"Compare Records", QKeySequence(Qt::CTRL | Qt::Key_M)},
        {"Edit Record", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"Batch Report", QKeySequence(Qt::CTRL | Qt::Key_B)},
        {"Options", QKeySequence(Qt::CTRL | Qt::Key_Comma)},
        {"Exit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& [name, key] : kKeys)
        if (caption == QLatin1String(name)) return key;
    return {};
}
