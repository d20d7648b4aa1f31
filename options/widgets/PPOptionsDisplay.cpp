#include "options/widgets/PPOptionsDisplay.h"

#include <QLabel>
#include <QVBoxLayout>

PPOptionsDisplay::PPOptionsDisplay(QWidget* parent)
    : PPOptionsPage(QStringLiteral("Record Display"), parent) {
    // A hint, so the branch's head does not look broken.
    auto* hint = new QLabel(tr("How records are shown, by kind: choose MARC/OPAC, XML or SUTRS "
                               "below this page."),
                            this);
    hint->setObjectName(QStringLiteral("hint"));
    hint->setWordWrap(true);
    auto* column = new QVBoxLayout(this);
    column->addWidget(hint);
    column->addStretch(1);
}
