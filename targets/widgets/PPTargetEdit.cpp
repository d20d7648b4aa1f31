#include "targets/widgets/PPTargetEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPointer>
#include <QThreadPool>
#include <QElapsedTimer>
#include <QTimer>
#include <mutex>
#include <optional>
#include <set>

#include "probe/TargetProbe.h"
#include "targets/widgets/DlgTargetTest.h"

#include "targets/TargetAddress.h"
#include "targets/TargetList.h"
#include "ui/KnownValuesBox.h"
#include "ui_PPTargetEdit.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string ss(const QString& s) { return s.toStdString(); }

// An editable list of known values showing value, with its equal entry selected.
void fillKnown(QComboBox* box, const std::set<std::string>& known, const std::string& value) {
    QStringList entries;
    for (const std::string& entry : known) entries << qs(entry);
    offerKnownValues(box, entries);
    box->setCurrentIndex(box->findText(qs(value), Qt::MatchExactly | Qt::MatchCaseSensitive));
    box->setEditText(qs(value));
}

// Schemas most SRU servers serve; any other name may be typed.
const char* const kSruSchemas[] = {"marcxml", "dc", "mods"};

// Each step of a test waits at most this long for the server.
constexpr int kTestTimeoutSeconds = 10;
// Connecting, searching and presenting, each with its limit.
constexpr int kTestSteps = 3;

}  // namespace

// The answer of a test running on a pool thread, fetched by the page's timer;
// shared, so a page closed meanwhile leaves the thread nothing to touch.
struct PPTargetEdit::TestRun {
    std::mutex mutex;
    std::optional<ProbeReport> report;
};

static QString testingText(int secondsLeft) {
    // A slow server may use each step's limit; past the last the button only waits.
    return secondsLeft > 0 ? QStringLiteral("Testing... %1 s").arg(secondsLeft)
                           : QStringLiteral("Testing...");
}

namespace {

}  // namespace

PPTargetEdit::PPTargetEdit(const TargetList& list, const Target& target, QWidget* parent)
    : PropertyPage(QStringLiteral("Target"), parent), ui_(std::make_unique<Ui::PPTargetEdit>()) {
    ui_->setupUi(this);
    ui_->name->setText(qs(target.name));
    ui_->zurl->setText(qs(target.zurl));
    // A syntax the list does not offer (usmarc, unimarc...) is offered for this
    // target too, so editing another field does not quietly change it.
    QComboBox* type = ui_->recordType;
    const QString syntax = qs(target.recsyntax);
    if (!syntax.isEmpty() && type->findText(syntax, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        type->addItem(syntax);
    type->setCurrentIndex(type->findText(syntax, Qt::MatchExactly | Qt::MatchCaseSensitive));
    fillKnown(ui_->elementSetName, list.elementSetNames, target.elementsetname);
    fillKnown(ui_->location, list.locations, target.location);
    ui_->website->setText(qs(target.website));
    ui_->catalogue->setText(qs(target.catalogue));
    ui_->userName->setText(qs(target.username));
    ui_->password->setText(qs(target.password));
    ui_->home->setChecked(target.home);
    addCharsetGroup(target);
    followAddress();
    connect(ui_->zurl, &QLineEdit::textChanged, this, &PPTargetEdit::followAddress);
    connect(ui_->test, &QPushButton::clicked, this, &PPTargetEdit::startTest);
}

void PPTargetEdit::startTest() {
    Target target;
    store(target);
    auto run = std::make_shared<TestRun>();
    // The global pool is waited for when the program ends, so no test is cut
    // off inside the toolkit.
    QThreadPool::globalInstance()->start([run, target] {
        ProbeReport report = probeTarget(target, kTestTimeoutSeconds);
        std::lock_guard<std::mutex> lock(run->mutex);
        run->report = std::move(report);
    });
    ui_->test->setEnabled(false);
    ui_->test->setText(testingText(kTestSteps * kTestTimeoutSeconds));
    auto* cancel = new QPushButton(QStringLiteral("Cancel Test"), this);
    cancel->setObjectName(QStringLiteral("cancelTest"));
    ui_->form->addRow(QString(), cancel);
    auto* poll = new QTimer(this);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    const auto end = [this, poll, cancel] {
        poll->stop();
        poll->deleteLater();
        // Also called from the button's own click.
        const QFormLayout::TakeRowResult row = ui_->form->takeRow(cancel);
        delete row.labelItem;
        delete row.fieldItem;
        cancel->hide();
        cancel->deleteLater();
        ui_->test->setEnabled(true);
        ui_->test->setText(QStringLiteral("Te&st"));
    };
    // The probe cannot be interrupted: its answer, when it comes, is dropped.
    connect(cancel, &QPushButton::clicked, this, end);
    connect(poll, &QTimer::timeout, this, [this, run, started, end] {
        std::optional<ProbeReport> report;
        {
            std::lock_guard<std::mutex> lock(run->mutex);
            report.swap(run->report);
        }
        if (!report) {
            const int left = kTestSteps * kTestTimeoutSeconds -
                             static_cast<int>(started->elapsed() / 1000);
            ui_->test->setText(testingText(left));
            return;
        }
        end();
        DlgTargetTest box(*report, this);
        if (box.exec() == QDialog::Accepted && !box.pickedSchema().isEmpty())
            setRecordSchema(box.pickedSchema());
    });
    poll->start(50);
}

void PPTargetEdit::followAddress() {
    // For an SRU address the field names the record schema, which may be any
    // text the server's Explain lists.
    QComboBox* type = ui_->recordType;
    const bool sru = isSruAddress(ss(ui_->zurl->text()));
    if (type->isEditable() == sru) return;
    const QString current = type->currentText();
    type->setEditable(sru);
    if (sru) {
        for (const char* schema : kSruSchemas)
            if (type->findText(schema, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
                type->addItem(schema);
        type->setEditText(current.isEmpty() ? QString(kSruSchemas[0]) : current);
    }
}

void PPTargetEdit::setRecordSchema(const QString& schema) {
    ui_->recordType->setEditable(true);
    ui_->recordType->setEditText(schema);
}

void PPTargetEdit::addCharsetGroup(const Target& target) {
    auto* group = new QGroupBox(QStringLiteral("Character Sets"), this);
    auto* form = new QFormLayout(group);
    recordCharset_ = new QComboBox(group);
    recordCharset_->setObjectName(QStringLiteral("recordCharset"));
    recordCharset_->setToolTip(
        QStringLiteral("Automatic reads the leader and checks the bytes; a set value "
                       "holds for every record of this target"));
    queryCharset_ = new QComboBox(group);
    queryCharset_->setObjectName(QStringLiteral("queryCharset"));
    queryCharset_->setToolTip(QStringLiteral("The character set the search terms are sent in"));
    // The item data is the name the target list file keeps.
    recordCharset_->addItem(QStringLiteral("Automatic"), QString());
    for (const char* name : {"MARC-8", "UTF-8", "ISO-8859-1"})
        recordCharset_->addItem(name, QString(name));
    queryCharset_->addItem(QStringLiteral("UTF-8"), QString());
    for (const char* name : {"MARC-8", "ISO-8859-1"}) queryCharset_->addItem(name, QString(name));
    // A name this program does not know is kept, not lost on the next save.
    auto select = [](QComboBox* box, const std::string& value) {
        int at = box->findData(qs(value));
        if (at < 0) {
            box->addItem(qs(value), qs(value));
            at = box->count() - 1;
        }
        box->setCurrentIndex(at);
    };
    select(recordCharset_, target.recordCharset);
    select(queryCharset_, target.queryCharset == "UTF-8" ? std::string() : target.queryCharset);
    form->addRow(QStringLiteral("Rec&ords:"), recordCharset_);
    form->addRow(QStringLiteral("&Query terms:"), queryCharset_);
    int row = 0;
    QFormLayout::ItemRole role;
    ui_->form->getWidgetPosition(ui_->test, &row, &role);
    ui_->form->insertRow(row, group);
}

PPTargetEdit::~PPTargetEdit() = default;

void PPTargetEdit::store(Target& target) const {
    target.name = ss(ui_->name->text());
    target.zurl = ss(ui_->zurl->text());
    const QComboBox* type = ui_->recordType;
    target.recsyntax = type->isEditable()
                           ? ss(type->currentText().trimmed())
                           : type->currentIndex() < 0 ? std::string() : ss(type->currentText());
    target.elementsetname = ss(ui_->elementSetName->currentText());
    target.location = ss(ui_->location->currentText());
    target.website = ss(ui_->website->text());
    target.catalogue = ss(ui_->catalogue->text());
    target.username = ss(ui_->userName->text());
    target.password = ss(ui_->password->text());
    target.home = ui_->home->isChecked();
    target.recordCharset = ss(recordCharset_->currentData().toString());
    target.queryCharset = ss(queryCharset_->currentData().toString());
}
