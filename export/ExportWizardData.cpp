#include "export/ExportWizardData.h"

#include "export/SqlName.h"

std::string wizardInsertStatement(const ExportWizardData& data) {
    std::string columns;
    std::string values;
    for (const ColumnMapping& m : data.mappings) {
        if (m.placeholder.empty()) continue;
        if (!columns.empty()) {
            columns += ", ";
            values += ", ";
        }
        columns += sqlName(m.column);
        values += "'{" + m.placeholder + "}'";
    }
    return "INSERT INTO " + sqlTableName(data.tableName) + "(" + columns + ") VALUES(" + values +
           ")";
}
