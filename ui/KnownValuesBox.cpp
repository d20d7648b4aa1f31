#include "ui/KnownValuesBox.h"

#include <QComboBox>
#include <QCompleter>
#include <algorithm>

namespace {

// Case folded first; entries equal when folded keep a fixed order.
bool displayedBefore(const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

void offerKnownValues(QComboBox* box, const QStringList& values) {
    QStringList sorted = values;
    std::sort(sorted.begin(), sorted.end(), displayedBefore);
    box->clear();
    box->addItems(sorted);
    box->setInsertPolicy(QComboBox::NoInsert);
    // The box looks a typed text up with its completer's case sensitivity.
    auto* completer = new QCompleter(box->model(), box);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box->setCompleter(completer);
}

int knownValueRow(const QComboBox* box, const QString& value) {
    int row = 0;
    while (row < box->count() && displayedBefore(box->itemText(row), value)) ++row;
    return row;
}
