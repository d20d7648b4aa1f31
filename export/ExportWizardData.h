// What the database export wizard collects, shared by its pages and the dialog.
#pragma once

#include <string>
#include <vector>

struct ColumnMapping {
    std::string column;
    // A placeholder name without braces ("TITLE"); empty: the column gets nothing.
    std::string placeholder;
};

struct ExportWizardData {
    std::string connectionString;
    std::string tableName;
    // One per column of the table, in the order the database reports them.
    std::vector<ColumnMapping> mappings;
};

// Pure. "INSERT INTO table(col, ...) VALUES('{PLACEHOLDER}', ...)" over the
// mapped columns in column order; names quoted where they must be.
std::string wizardInsertStatement(const ExportWizardData& data);
