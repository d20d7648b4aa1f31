// The "Search Attribute Editor" sheet: a row's title and PQF attribute string
// typed by hand, reset to the row's default, or composed from the Bib-1 lists.
// The page left last, the one on show at OK, decides the result. UI thread only.
#pragma once

#include "query/SearchAttribute.h"
#include "ui/PropertySheet.h"

class AttributeEditor {
public:
    // Row: the Custom, Default and Bib-1 pages. AttributesOnly: the Bib-1 page
    // alone with its title fixed empty, for the Prefix Query Format page.
    enum class Mode { Row, AttributesOnly };

    // Builds the sheet without showing it.
    AttributeEditor(const SearchAttribute& current, const SearchAttribute& defaults, Mode mode,
                    QWidget* parent = nullptr);

    PropertySheet& sheet() { return sheet_; }
    // What the page left last put in; both strings empty before.
    const SearchAttribute& result() const { return result_; }

    // Shows the editor modally; true, with result set, after OK.
    static bool run(const SearchAttribute& current, const SearchAttribute& defaults, Mode mode,
                    SearchAttribute& result, QWidget* parent = nullptr);

private:
    SearchAttribute result_;
    PropertySheet sheet_;
};
