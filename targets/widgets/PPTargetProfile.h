// The "Profile" page of the target sheet: the time limit, the index
// fallbacks, the proxy and the indexes known to be missing, and a probe of
// the target as the Target page stands, whose findings "Save to profile"
// takes over. The probe runs off the UI thread; Cancel drops it at once.
// UI thread only.
#pragma once

#include <functional>
#include <memory>

#include "probe/TargetProbe.h"
#include "targets/TargetProfile.h"
#include "ui/PropertyPage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;
struct Target;

class PPTargetProfile : public PropertyPage {
    Q_OBJECT
public:
    // currentTarget gives the target as the sheet's other pages stand.
    PPTargetProfile(const TargetProfile& profile, std::function<Target()> currentTarget,
                    QWidget* parent = nullptr);
    ~PPTargetProfile() override;

    // The fields as they stand; rows without two numbers are left out.
    TargetProfile profile() const;

    void startProbe();
    void cancelProbe();
    // The last probe's unsupported indexes and fallbacks into the fields.
    void saveProbe();
    // A probe is running.
    bool probing() const { return static_cast<bool>(run_); }

private:
    struct ProbeRun;
    void showProfile(const TargetProfile& profile);
    void showProbe(const ProbeReport& report);
    // The numbers of the two fields above, named.
    void nameIndexes();

    std::function<Target()> currentTarget_;
    QSpinBox* timeout_;
    QLineEdit* proxy_;
    QLineEdit* unsupported_;
    QTableWidget* fallbacks_;
    QLabel* named_;
    QPushButton* probe_;
    QPushButton* save_;
    QTableWidget* results_;
    QTimer* poll_;
    std::shared_ptr<ProbeRun> run_;
    ProbeReport last_;
};
