#include "query/widgets/AttributeButton.h"

#include <QPushButton>

#include "query/widgets/AttributeEditor.h"

QString buttonCaption(const std::string& title) {
    return QString::fromStdString(title).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

namespace {

void showTitle(QPushButton* button, QWidget* term, const std::string& title) {
    button->setText(buttonCaption(title));
    const QString row = QString::fromStdString(title).trimmed();
    term->setAccessibleName(row.isEmpty() ? QObject::tr("Search term")
                                          : QObject::tr("%1 term").arg(row));
}

}  // namespace

void attachAttributeEditor(QPushButton* button, SearchAttribute& row,
                           const SearchAttribute& defaults, QWidget* term) {
    showTitle(button, term, row.title);
    QObject::connect(button, &QPushButton::clicked, button, [button, term, &row, defaults] {
        SearchAttribute result;
        if (!AttributeEditor::run(row, defaults, AttributeEditor::Mode::Row, result,
                                  button->window()))
            return;
        row = result;
        showTitle(button, term, row.title);
    });
}
