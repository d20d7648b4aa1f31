#include "export/db/CADORecordset.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include "export/db/CADODatabase.h"
#include "export/db/CADOException.h"
#include "export/db/SqlFailure.h"

bool CADORecordset::Open(CADODatabase& database, const std::string& source, bool openTable) {
    Close();
    QSqlDatabase db = database.database();
    if (!db.isOpen()) throw CADOException(CADOException::kNotOpen, "The database is not open.");
    // The table name goes in as given, as the generated insert statement uses it.
    const QString sql =
        openTable ? QStringLiteral("SELECT * FROM %1 WHERE 1=0").arg(QString::fromStdString(source))
                  : QString::fromStdString(source);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql)) throw sqlFailure(query.lastError());
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        fields_.push_back({field.name().toStdString(), field.metaType().id(),
                           static_cast<long>(field.length()), 0});
    }
    open_ = true;
    return open_;
}

const CADOFieldInfo& CADORecordset::GetFieldInfo(int index) const {
    if (index < 0 || index >= GetFieldCount())
        throw CADOException(CADOException::kNoSuchField,
                            "There is no column " + std::to_string(index) + ".");
    return fields_[static_cast<size_t>(index)];
}

void CADORecordset::Close() {
    fields_.clear();
    open_ = false;
}
