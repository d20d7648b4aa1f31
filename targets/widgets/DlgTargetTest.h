// The box the target editor's "Test" shows: what the server said, and for an
// SRU target the schemas it lists, one of which can be taken into the record
// type field. UI thread only.
#pragma once

#include <QDialog>
#include <QString>

#include "probe/TargetProbe.h"

class QListWidget;

class DlgTargetTest : public QDialog {
    Q_OBJECT
public:
    explicit DlgTargetTest(const ProbeReport& report, QWidget* parent = nullptr);

    // The schema picked with "Use Schema"; empty when none was.
    QString pickedSchema() const { return picked_; }

private:
    QListWidget* schemas_ = nullptr;
    QString picked_;
};
