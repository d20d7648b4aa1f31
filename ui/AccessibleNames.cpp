#include "ui/AccessibleNames.h"

#include <QLabel>
#include <QRegularExpression>

void nameControlsAfterTheirLabels(QWidget* root) {
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (!buddy || !buddy->accessibleName().isEmpty()) continue;
        QString name = label->text();
        name.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
        name = name.trimmed();
        if (name.endsWith(QLatin1Char(':'))) name.chop(1);
        buddy->setAccessibleName(name.trimmed());
    }
}
