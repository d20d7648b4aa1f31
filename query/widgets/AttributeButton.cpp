#include "query/widgets/AttributeButton.h"

#include <QPushButton>

#include "query/widgets/AttributeEditor.h"

QString buttonCaption(const std::string& title) {
    return QString::fromStdString(title).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void attachAttributeEditor(QPushButton* button, SearchAttribute& row,
                           const SearchAttribute& defaults) {
    button->setText(buttonCaption(row.title));
    QObject::connect(button, &QPushButton::clicked, button, [button, &row, defaults] {
        SearchAttribute result;
        if (!AttributeEditor::run(row, defaults, AttributeEditor::Mode::Row, result,
                                  button->window()))
            return;
        row = result;
        button->setText(buttonCaption(row.title));
    });
}
