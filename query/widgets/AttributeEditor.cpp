#include "query/widgets/AttributeEditor.h"

#include "query/widgets/PPAttribEditBib1.h"
#include "query/widgets/PPAttribEditCustom.h"
#include "query/widgets/PPAttribEditDefault.h"

AttributeEditor::AttributeEditor(const SearchAttribute& current, const SearchAttribute& defaults,
                                 Mode mode, QWidget* parent)
    : sheet_(QStringLiteral("Search Attribute Editor"), PropertySheet::Mode::Tree, parent) {
    if (mode == Mode::Row) {
        sheet_.addPage(new PPAttribEditCustom(current, result_));
        sheet_.addPage(new PPAttribEditDefault(defaults, result_));
    }
    sheet_.addPage(new PPAttribEditBib1(mode == Mode::Row, result_));
}

bool AttributeEditor::run(const SearchAttribute& current, const SearchAttribute& defaults,
                          Mode mode, SearchAttribute& result, QWidget* parent) {
    AttributeEditor editor(current, defaults, mode, parent);
    if (editor.sheet().exec() != QDialog::Accepted) return false;
    result = editor.result();
    return true;
}
