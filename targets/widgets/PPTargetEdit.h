// The "Target" page of the target sheet: name, address, record type, element
// set name, location, website, online catalogue, user name and password. For
// an SRU address (http or https) the record type is the schema to ask for and
// may be typed. "Test" asks the server what it is. The "Character Sets" group
// holds the record and query character sets. UI thread only.
#pragma once

#include <memory>

#include "ui/PropertyPage.h"

class QComboBox;
class TargetList;
struct Target;

namespace Ui {
class PPTargetEdit;
}

class PPTargetEdit : public PropertyPage {
    Q_OBJECT
public:
    // Fields filled from target; the element set names and locations known to
    // list are offered.
    PPTargetEdit(const TargetList& list, const Target& target, QWidget* parent = nullptr);
    ~PPTargetEdit() override;

    // The eleven fields as they stand written into target; no record type
    // chosen gives an empty recsyntax.
    void store(Target& target) const;
    // Puts schema in the record type field (a schema picked from a server's list).
    void setRecordSchema(const QString& schema);

private:
    struct TestRun;
    void followAddress();
    // Tests the address as the fields stand, off the UI thread, then shows
    // what came back.
    void startTest();
    void addCharsetGroup(const Target& target);

    std::unique_ptr<Ui::PPTargetEdit> ui_;
    QComboBox* recordCharset_ = nullptr;
    QComboBox* queryCharset_ = nullptr;
};
