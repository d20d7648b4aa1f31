#include "editor/widgets/MarcTextHighlighter.h"

#include <QColor>
#include <QFont>
#include <QTextCharFormat>

namespace {

QTextCharFormat colouredFormat(const QColor& colour, bool bold) {
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold) f.setFontWeight(QFont::Bold);
    return f;
}

}  // namespace

MarcTextHighlighter::MarcTextHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void MarcTextHighlighter::highlightBlock(const QString& text) {
    static const QTextCharFormat tag = colouredFormat(QColor(0x1f, 0x4e, 0xa8), true);
    static const QTextCharFormat indicators = colouredFormat(QColor(0x8a, 0x4b, 0x00), true);
    static const QTextCharFormat code = colouredFormat(QColor(0xa8, 0x1f, 0x5c), true);
    if (!text.startsWith(QLatin1Char('='))) return;
    setFormat(0, qMin(4, int(text.size())), tag);
    const QStringView tagText = QStringView(text).mid(1, 3);
    const bool control = tagText == u"LDR" || tagText.startsWith(u"00");
    if (control || text.size() < 8) return;
    setFormat(6, 2, indicators);
    for (int i = 8; i < text.size(); ++i)
        if (text[i] == QLatin1Char('$')) setFormat(i, qMin(2, int(text.size()) - i), code);
}
