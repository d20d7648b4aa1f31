#include "export/db/CADOXCatalog.h"

#include <QSqlDatabase>
#include <QStringList>

#include "export/db/CADOException.h"

bool CADOXCatalog::Open(const std::string& connectionString) {
    tables_.clear();
    try {
        database_.Open(connectionString);
    } catch (const CADOException&) {
        return false;
    }
    // The database's own bookkeeping tables are no place to export to.
    const QSqlDatabase db = database_.database();
    const QStringList names = db.tables(QSql::Tables) + db.tables(QSql::Views);
    for (const QString& name : names) tables_.push_back(name.toStdString());
    return true;
}

std::string CADOXCatalog::GetTableName(int index) const {
    if (index < 0 || index >= GetTableCount()) return {};
    return tables_[static_cast<size_t>(index)];
}
