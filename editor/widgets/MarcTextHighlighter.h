// Colours MARC text: tags, indicators and subfield codes set apart from data.
#pragma once

#include <QSyntaxHighlighter>

class MarcTextHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit MarcTextHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;
};
