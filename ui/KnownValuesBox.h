// An editable drop-down of known values that keeps what the user typed:
// completion only suggests, in a popup that matches case (element set names
// and tags are case-sensitive), and Enter never swaps the text for a known
// entry. The entries are sorted without regard to case. UI thread only.
#pragma once

#include <QStringList>

class QComboBox;

// Fills box with values in their display order and sets it up as above.
void offerKnownValues(QComboBox* box, const QStringList& values);

// The row where value belongs among the entries of a box set up above.
int knownValueRow(const QComboBox* box, const QString& value);
