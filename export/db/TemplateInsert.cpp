#include "export/db/TemplateInsert.h"

#include <sql.h>
#include <sqlext.h>

#include <QSqlError>
#include <QSqlResult>
#include <QVariant>
#include <algorithm>

#include "export/db/CADODatabase.h"
#include "export/db/CADOException.h"
#include "export/db/CADORecordset.h"
#include "export/db/SqlFailure.h"

namespace {

// The table's binary columns. Asked only when a record's bytes go into a
// named column: a failed lookup would send them as text, changed, so it ends
// the export with the database's words.
std::vector<std::string> binaryColumns(CADODatabase& database, const ParsedTemplate& parsed) {
    std::vector<std::string> out;
    if (parsed.table.empty() || std::none_of(parsed.parameters.begin(), parsed.parameters.end(),
                                             [](const TemplateParameter& p) {
                                                 return isRawParameter(p) && !p.column.empty();
                                             }))
        return out;
    CADORecordset columns;
    try {
        columns.Open(database, parsed.table, true);
    } catch (const CADOException& e) {
        throw CADOException(e.code(), "The columns of the table " + parsed.table +
                                          " could not be read: " + e.description());
    }
    for (int i = 0; i < columns.GetFieldCount(); ++i) {
        const CADOFieldInfo& field = columns.GetFieldInfo(i);
        if (field.type == QMetaType::QByteArray) out.push_back(field.name);
    }
    return out;
}

bool sameName(const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

TemplateInsert::TemplateInsert(CADODatabase& database, const ParsedTemplate& parsed)
    : query_(database.database()), sql_(QString::fromStdString(parsed.sql)) {
    const std::vector<std::string> binary = binaryColumns(database, parsed);
    for (const TemplateParameter& parameter : parsed.parameters) {
        bool bytes = false;
        for (const std::string& column : binary)
            bytes = bytes || sameName(column, parameter.column);
        bytesColumn_.push_back(bytes);
    }
    odbc_ = database.database().driverName() == QLatin1String("QODBC");
    query_.setForwardOnly(true);
    // A template without placeholders runs as it stands: a '?' in it is the user's.
    bound_ = !parsed.parameters.empty();
    if (bound_ && !query_.prepare(sql_)) throw sqlFailure(query_.lastError());
    if (bound_ && odbc_) {
        const QVariant handle = query_.result()->handle();
        if (handle.isValid()) statement_ = *static_cast<void* const*>(handle.data());
        // Whole seconds are ODBC's unit; drivers without a limit ignore it.
        const auto seconds =
            static_cast<SQLULEN>(std::max(1, CADODatabase::commandTimeLimitMs() / 1000));
        if (statement_)
            SQLSetStmtAttr(statement_, SQL_ATTR_QUERY_TIMEOUT,
                           reinterpret_cast<SQLPOINTER>(seconds), 0);
    }
}

std::function<void()> TemplateInsert::canceller() const {
    if (!statement_) return {};
    return [statement = statement_] { SQLCancel(statement); };
}

void TemplateInsert::run(const std::vector<BoundValue>& values) {
    if (!bound_) {
        if (!query_.exec(sql_)) throw sqlFailure(query_.lastError());
        return;
    }
    for (size_t i = 0; i < values.size() && i < bytesColumn_.size(); ++i) {
        const BoundValue& v = values[i];
        const auto size = static_cast<qsizetype>(v.data.size());
        const bool bytes = v.raw && bytesColumn_[i];
        // ODBC drivers pass text on as C strings: the rest would be lost unseen.
        if (odbc_ && !bytes && v.data.find('\0') != std::string::npos)
            throw CADOException(CADOException::kNulInText,
                                "A value holds a NUL byte, which the ODBC driver would cut off "
                                "there; export the record into a binary column.");
        QVariant value;
        if (bytes)
            value = QByteArray(v.data.data(), size);
        else if (v.raw)
            value = QString::fromLatin1(v.data.data(), size);
        else
            value = QString::fromUtf8(v.data.data(), size);
        query_.bindValue(static_cast<int>(i), value);
    }
    if (!query_.exec()) throw sqlFailure(query_.lastError());
}
