#include "targets/widgets/PPTargetProfile.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>
#include <optional>

#include "probe/ProfileTexts.h"
#include "protocol/UseAttributes.h"
#include "targets/Target.h"

namespace {

// Each step of a probe waits at most this long unless the profile says otherwise.
constexpr int kProbeSeconds = 10;

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    return item;
}

}  // namespace

// Shared with the pool thread, so a page closed or a probe cancelled leaves
// the thread nothing to touch but this.
struct PPTargetProfile::ProbeRun {
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::optional<ProbeReport> report;
};

PPTargetProfile::PPTargetProfile(const TargetProfile& profile,
                                 std::function<Target()> currentTarget, QWidget* parent)
    : PropertyPage(QStringLiteral("Profile"), parent), currentTarget_(std::move(currentTarget)) {
    // Wide enough for a diagnostic and the named indexes on a line or two.
    setMinimumWidth(560);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    timeout_ = new QSpinBox(this);
    timeout_->setObjectName(QStringLiteral("timeout"));
    timeout_->setRange(0, 3600);
    timeout_->setSuffix(QStringLiteral(" s"));
    timeout_->setSpecialValueText(QStringLiteral("Default"));
    form->addRow(QStringLiteral("&Time limit:"), timeout_);
    proxy_ = new QLineEdit(this);
    proxy_->setObjectName(QStringLiteral("proxy"));
    form->addRow(QStringLiteral("&Proxy:"), proxy_);
    unsupported_ = new QLineEdit(this);
    unsupported_->setObjectName(QStringLiteral("unsupported"));
    unsupported_->setToolTip(QStringLiteral("Use attributes the target lacks, e.g. 7 1007"));
    form->addRow(QStringLiteral("&Unsupported indexes:"), unsupported_);
    layout->addLayout(form);

    auto* fallbacksLabel = new QLabel(QStringLiteral("Index &fallbacks:"), this);
    layout->addWidget(fallbacksLabel);
    fallbacks_ = new QTableWidget(0, 2, this);
    fallbacksLabel->setBuddy(fallbacks_);
    fallbacks_->setObjectName(QStringLiteral("fallbacks"));
    fallbacks_->setHorizontalHeaderLabels(
        {QStringLiteral("Use attribute"), QStringLiteral("Search instead")});
    fallbacks_->horizontalHeader()->setStretchLastSection(true);
    fallbacks_->verticalHeader()->hide();
    fallbacks_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    layout->addWidget(fallbacks_);
    named_ = new QLabel(this);
    named_->setObjectName(QStringLiteral("namedIndexes"));
    named_->setWordWrap(true);
    named_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(named_);
    connect(unsupported_, &QLineEdit::textChanged, this, &PPTargetProfile::nameIndexes);
    connect(fallbacks_, &QTableWidget::itemChanged, this, &PPTargetProfile::nameIndexes);
    auto* rowButtons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("&Add"), this);
    auto* remove = new QPushButton(QStringLiteral("&Remove"), this);
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();
    layout->addLayout(rowButtons);
    connect(add, &QPushButton::clicked, this, [this] {
        fallbacks_->insertRow(fallbacks_->rowCount());
        fallbacks_->editItem(fallbacks_->item(fallbacks_->rowCount() - 1, 0));
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (fallbacks_->currentRow() >= 0) fallbacks_->removeRow(fallbacks_->currentRow());
    });

    auto* probeButtons = new QHBoxLayout;
    probe_ = new QPushButton(QStringLiteral("Pro&be"), this);
    probe_->setObjectName(QStringLiteral("probe"));
    save_ = new QPushButton(QStringLiteral("&Save to profile"), this);
    save_->setObjectName(QStringLiteral("saveProbe"));
    save_->setEnabled(false);
    probeButtons->addWidget(probe_);
    probeButtons->addWidget(save_);
    probeButtons->addStretch();
    layout->addLayout(probeButtons);
    results_ = new QTableWidget(0, 2, this);
    results_->setObjectName(QStringLiteral("probeResults"));
    results_->setAccessibleName(QStringLiteral("Probe results"));
    results_->setHorizontalHeaderLabels({QStringLiteral("Index"), QStringLiteral("Result")});
    results_->horizontalHeader()->setStretchLastSection(true);
    results_->verticalHeader()->hide();
    results_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A diagnostic's text is read whole, not cut at the column's edge.
    results_->setWordWrap(true);
    results_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(results_);
    connect(probe_, &QPushButton::clicked, this, [this] { run_ ? cancelProbe() : startProbe(); });
    connect(save_, &QPushButton::clicked, this, &PPTargetProfile::saveProbe);

    poll_ = new QTimer(this);
    connect(poll_, &QTimer::timeout, this, [this] {
        std::optional<ProbeReport> report;
        {
            std::lock_guard<std::mutex> lock(run_->mutex);
            report.swap(run_->report);
        }
        if (!report) return;
        cancelProbe();
        showProbe(*report);
    });
    showProfile(profile);
}

PPTargetProfile::~PPTargetProfile() {
    if (run_) run_->cancelled = true;
}

void PPTargetProfile::showProfile(const TargetProfile& profile) {
    timeout_->setValue(profile.timeoutSeconds);
    proxy_->setText(QString::fromStdString(profile.proxy));
    QStringList uses;
    for (int use : profile.unsupported) uses << QString::number(use);
    unsupported_->setText(uses.join(QLatin1Char(' ')));
    fallbacks_->setRowCount(0);
    for (const IndexFallback& f : profile.fallbacks) {
        const int row = fallbacks_->rowCount();
        fallbacks_->insertRow(row);
        fallbacks_->setItem(row, 0, cell(QString::number(f.use)));
        fallbacks_->setItem(row, 1, cell(QString::number(f.replacement)));
    }
}

TargetProfile PPTargetProfile::profile() const {
    TargetProfile profile;
    profile.timeoutSeconds = timeout_->value();
    profile.proxy = proxy_->text().trimmed().toStdString();
    profile.unsupported = numberList(unsupported_->text().toStdString());
    for (int row = 0; row < fallbacks_->rowCount(); ++row) {
        const QTableWidgetItem* use = fallbacks_->item(row, 0);
        const QTableWidgetItem* replacement = fallbacks_->item(row, 1);
        const IndexFallback f{
            positiveNumber(use ? use->text().toStdString() : std::string()),
            positiveNumber(replacement ? replacement->text().toStdString() : std::string())};
        if (f.use && f.replacement && !profile.replacementFor(f.use))
            profile.fallbacks.push_back(f);
    }
    return profile;
}

void PPTargetProfile::startProbe() {
    Target target = currentTarget_();
    target.profile = profile();
    const int seconds =
        target.profile.timeoutSeconds > 0 ? target.profile.timeoutSeconds : kProbeSeconds;
    run_ = std::make_shared<ProbeRun>();
    // The global pool is waited for when the program ends, so no probe is
    // cut off inside the toolkit.
    QThreadPool::globalInstance()->start([run = run_, target, seconds] {
        ProbeReport report = probeTarget(target, seconds, [&run] { return run->cancelled.load(); });
        std::lock_guard<std::mutex> lock(run->mutex);
        run->report = std::move(report);
    });
    probe_->setText(QStringLiteral("&Cancel"));
    results_->setRowCount(0);
    save_->setEnabled(false);
    poll_->start(50);
}

void PPTargetProfile::cancelProbe() {
    if (run_) run_->cancelled = true;
    run_.reset();
    poll_->stop();
    probe_->setText(QStringLiteral("Pro&be"));
}

void PPTargetProfile::showProbe(const ProbeReport& report) {
    last_ = report;
    results_->setRowCount(0);
    const auto addRow = [this](const QString& name, const QString& result) {
        const int row = results_->rowCount();
        results_->insertRow(row);
        results_->setItem(row, 0, cell(name));
        results_->setItem(row, 1, cell(result));
    };
    if (!report.error.empty())
        addRow(QStringLiteral("Error"), QString::fromStdString(report.error));
    if (report.roundTripMs >= 0)
        addRow(QStringLiteral("Round trip"), QString::number(report.roundTripMs) + " ms");
    QStringList syntaxes;
    for (const std::string& s : report.syntaxes) syntaxes << QString::fromStdString(s);
    if (!syntaxes.isEmpty()) addRow(QStringLiteral("Record syntaxes"), syntaxes.join(", "));
    if (!report.scanNote.empty()) addRow(QStringLiteral("Scan"), QString::fromStdString(report.scanNote));
    for (const IndexProbe& index : report.indexes)
        addRow(QString::fromStdString(namedUseAttribute(index.use)),
               QString::fromStdString(indexSupportText(index)));
    results_->resizeColumnToContents(0);
    save_->setEnabled(!report.indexes.empty());
}

void PPTargetProfile::nameIndexes() {
    const TargetProfile shown = profile();
    QStringList lines;
    if (!shown.unsupported.empty())
        lines << QStringLiteral("Unsupported: ") +
                     QString::fromStdString(unsupportedText(shown.unsupported));
    if (!shown.fallbacks.empty())
        lines << QStringLiteral("Fallbacks: ") +
                     QString::fromStdString(fallbacksText(shown.fallbacks));
    named_->setText(lines.join(QLatin1Char('\n')));
}

void PPTargetProfile::saveProbe() {
    TargetProfile updated = profile();
    learnFromProbe(updated, last_);
    showProfile(updated);
}
