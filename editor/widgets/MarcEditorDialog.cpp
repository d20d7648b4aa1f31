#include "editor/widgets/MarcEditorDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/MarcText.h"
#include "editor/widgets/MarcTextHighlighter.h"
#include "validation/MarcValidator.h"

namespace {

constexpr int kLineRole = Qt::UserRole;

struct CheckedText {
    MarcTextParse parse;
    std::vector<MarcFinding> findings;
};

CheckedText check(const QString& text) {
    CheckedText checked{parseMarcText(text.toStdString()), {}};
    checked.findings = validateMarc(checked.parse.record, shippedMarcSchema());
    return checked;
}

int lineOf(const MarcTextParse& parse, const MarcFinding& finding) {
    if (finding.field != MarcFinding::kNoField) return int(parse.fieldLines[finding.field]);
    return finding.tag == "LDR" ? int(parse.leaderLine) : 0;
}

}  // namespace

MarcEditorDialog::MarcEditorDialog(const QString& title, const std::string& text, QWidget* parent)
    : QDialog(parent),
      m_text(new QPlainTextEdit(this)),
      m_findings(new QListWidget(this)),
      m_refresh(new QTimer(this)) {
    setWindowTitle(title);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(QString::fromStdString(text));
    m_text->document()->setUndoRedoEnabled(true);
    new MarcTextHighlighter(m_text->document());
    m_text->setAccessibleName(QStringLiteral("MARC text"));
    m_findings->setAccessibleName(QStringLiteral("Findings"));

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_text);
    splitter->addWidget(m_findings);
    splitter->setStretchFactor(0, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    auto* keys = new QLabel(
        QStringLiteral("Ctrl+Return add field · Ctrl+D duplicate · Ctrl+K delete · "
                       "Alt+Up/Down move · Ctrl+J jump to tag · Ctrl+Z/Ctrl+Shift+Z undo/redo"),
        this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addWidget(keys);
    layout->addWidget(buttons);
    resize(760, 560);

    connect(buttons, &QDialogButtonBox::accepted, this, &MarcEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MarcEditorDialog::reject);
    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { addField(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { duplicateField(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_K), [this] { deleteField(); });
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Up), [this] { moveField(-1); });
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Down), [this] { moveField(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_J), [this] {
        const QString tag =
            QInputDialog::getText(this, QStringLiteral("Jump to Tag"), QStringLiteral("&Tag:"));
        if (!tag.isEmpty()) jumpToTag(tag.trimmed());
    });

    m_refresh->setSingleShot(true);
    m_refresh->setInterval(250);
    connect(m_refresh, &QTimer::timeout, this, &MarcEditorDialog::refreshFindings);
    connect(m_text, &QPlainTextEdit::textChanged, m_refresh, qOverload<>(&QTimer::start));
    connect(m_findings, &QListWidget::itemActivated, this, &MarcEditorDialog::goToFinding);
    connect(m_findings, &QListWidget::itemClicked, this, &MarcEditorDialog::goToFinding);
    refreshFindings();
}

void MarcEditorDialog::refreshFindings() {
    const CheckedText checked = check(m_text->toPlainText());
    m_findings->clear();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const MarcTextProblem& problem : checked.parse.problems) {
        auto* item = new QListWidgetItem(error,
                                         QStringLiteral("Line %1: %2")
                                             .arg(problem.line + 1)
                                             .arg(QString::fromStdString(problem.message)),
                                         m_findings);
        item->setData(kLineRole, int(problem.line));
    }
    for (const MarcFinding& finding : checked.findings) {
        auto* item = new QListWidgetItem(
            isMarcError(finding.kind) ? error : warning,
            QStringLiteral("%1  %2  %3")
                .arg(QString::fromStdString(finding.tag), marcFindingKindName(finding.kind),
                     QString::fromStdString(finding.message)),
            m_findings);
        item->setData(kLineRole, lineOf(checked.parse, finding));
    }
}

void MarcEditorDialog::goToFinding(QListWidgetItem* item) {
    if (item) goToLine(item->data(kLineRole).toInt());
}

void MarcEditorDialog::goToLine(int line) {
    const QTextBlock block = m_text->document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    m_text->setTextCursor(QTextCursor(block));
    m_text->setFocus();
}

void MarcEditorDialog::addField() {
    QTextCursor cursor = m_text->textCursor();
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("\n="));
    m_text->setTextCursor(cursor);
}

void MarcEditorDialog::duplicateField() {
    QTextCursor cursor = m_text->textCursor();
    const QString line = cursor.block().text();
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("\n") + line);
    m_text->setTextCursor(cursor);
}

void MarcEditorDialog::deleteField() {
    QTextCursor cursor = m_text->textCursor();
    cursor.beginEditBlock();
    cursor.select(QTextCursor::BlockUnderCursor);
    if (cursor.block().blockNumber() == 0) {
        // The first line has no line break before it: take the one after.
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        if (cursor.selectedText().isEmpty())
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
    cursor.endEditBlock();
    m_text->setTextCursor(cursor);
}

void MarcEditorDialog::moveField(int direction) {
    QTextCursor cursor = m_text->textCursor();
    const QTextBlock block = cursor.block();
    const QTextBlock other = direction < 0 ? block.previous() : block.next();
    if (!other.isValid()) return;
    const QString line = block.text();
    const QString otherLine = other.text();
    const int column = cursor.positionInBlock();
    const int target = block.blockNumber() + direction;
    cursor.beginEditBlock();
    const QTextBlock first = direction < 0 ? other : block;
    cursor.setPosition(first.position());
    cursor.setPosition(first.next().position() + first.next().length() - 1,
                       QTextCursor::KeepAnchor);
    cursor.insertText(direction < 0 ? line + QLatin1Char('\n') + otherLine
                                    : otherLine + QLatin1Char('\n') + line);
    cursor.endEditBlock();
    const QTextBlock moved = m_text->document()->findBlockByNumber(target);
    cursor.setPosition(moved.position() + qMin(column, moved.length() - 1));
    m_text->setTextCursor(cursor);
}

bool MarcEditorDialog::jumpToTag(const QString& tag) {
    const QString start = QLatin1Char('=') + tag;
    for (QTextBlock block = m_text->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().startsWith(start)) {
            goToLine(block.blockNumber());
            return true;
        }
    }
    return false;
}

void MarcEditorDialog::accept() {
    const CheckedText checked = check(m_text->toPlainText());
    if (!checked.parse.problems.empty()) {
        const MarcTextProblem& problem = checked.parse.problems.front();
        QMessageBox::warning(this, QStringLiteral("Save Record"),
                             QStringLiteral("Line %1 cannot be read: %2.")
                                 .arg(problem.line + 1)
                                 .arg(QString::fromStdString(problem.message)));
        goToLine(int(problem.line));
        return;
    }
    int errors = 0;
    for (const MarcFinding& finding : checked.findings) errors += isMarcError(finding.kind);
    if (errors > 0 &&
        QMessageBox::question(
            this, QStringLiteral("Save Record"),
            QStringLiteral("The record has %1 error(s) by MARC 21. Save it anyway?").arg(errors)) !=
            QMessageBox::Yes)
        return;
    MarcFields record = checked.parse.record;
    // The text is UTF-8, and so is what is kept.
    record.leader.resize(24, ' ');
    record.leader[9] = 'a';
    m_corrected = marcFieldsToIso2709(record);
    QDialog::accept();
}
