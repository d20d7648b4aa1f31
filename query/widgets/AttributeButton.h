// The attribute button of a search row: shows the row's title and, when
// clicked, edits the row's attributes in the attribute editor. UI thread only.
#pragma once

#include <QString>
#include <string>

#include "query/SearchAttribute.h"

class QPushButton;
class QWidget;

// title as a button caption: an ampersand shows as itself, not as a mnemonic.
QString buttonCaption(const std::string& title);

// Shows row's title on button; a click opens the editor on row (with defaults
// for its Default page) and, after OK, puts the result into row and the title
// on the button. term, the row's field, is named after the row for screen
// readers. row must outlive button.
void attachAttributeEditor(QPushButton* button, SearchAttribute& row,
                           const SearchAttribute& defaults, QWidget* term);
