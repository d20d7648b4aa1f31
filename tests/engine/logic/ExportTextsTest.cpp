// The export's pure pieces: file error texts, the SQL template, the wizard's
// statement and the connection strings. What each file export writes is
// checked on real records in the window tests.
#include <gtest/gtest.h>

#include <cerrno>

#include "records/Record.h"
#include "export/ConnectionString.h"
#include "export/ExportWizardData.h"
#include "export/FileExportText.h"
#include "export/InsertTemplate.h"

namespace {

Record marcRecord() {
    Record r;
    r.kind = Marc;
    r.title = "O'Brien's {AUTHOR}";
    r.author = "Dub\xC3\xA9";  // UTF-8 already
    r.targetName = "Demo";
    r.rawData = std::string("00042 x\xE9y\x1E\x1D");  // a MARC-8 byte, not UTF-8
    r.xmlText = "<record/>";
    r.renderedText = "line 'one'";
    return r;
}

}  // namespace

TEST(ExportTextsTest, FileErrorsNameTheFileAndTheCause) {
    EXPECT_EQ(fileErrorText(EACCES, "/a/b"), "Access to /a/b was denied.");
    EXPECT_EQ(fileErrorText(ENOSPC, "/a/b"), "Disk full while accessing /a/b.");
    EXPECT_EQ(fileErrorText(ENOENT, "/a/b"), "/a/b contains an invalid path.");
    EXPECT_NE(fileErrorText(EIO, "/a/b").find("/a/b"), std::string::npos);
}

// A value is bound as it is: placeholder text a server put into a title stays text.
TEST(ExportTextsTest, TemplateLiteralsWithPlaceholdersBecomeBoundValues) {
    Record r = marcRecord();
    r.author = std::string("Dub\xC3\xA9 \0 {TITLE}", 14);
    for (int i = 0; i < 300; ++i) r.title += "{RECORD}";
    ParsedTemplate t;
    std::string error;
    ASSERT_TRUE(parseInsertTemplate(
        "INSERT INTO s.t(a, \"B\", c, d) -- '{TITLE}' ?\n"
        "VALUES('{TITLE}', 'By {AUTHOR}''s', {MARCRECORD}, '{RECORD}') ; /* done */",
        t, error))
        << error;
    EXPECT_EQ(t.sql, "INSERT INTO s.t(a, \"B\", c, d)  \nVALUES(?, ?, ?, ?)");
    EXPECT_EQ(t.table, "s.t");
    const std::vector<BoundValue> v = templateValues(t, r);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0].data, r.title);
    EXPECT_EQ(v[1].data, "By " + r.author + "'s");
    EXPECT_FALSE(v[1].raw);
    EXPECT_TRUE(v[2].raw && v[3].raw);
    EXPECT_EQ(v[2].data, r.rawData);  // bytes as they came, 0xE9 included
    EXPECT_EQ(t.parameters[1].column, "B");
    EXPECT_EQ(t.parameters[3].column, "d");

    ASSERT_TRUE(
        parseInsertTemplate("INSERT INTO t VALUES('{TXTRECORD} x', lower('{TITLE}'), "
                            "'it''s', '{MARCRECORD}')",
                            t, error));
    EXPECT_EQ(t.sql, "INSERT INTO t VALUES(?, lower(?), 'it''s', ?)");
    EXPECT_TRUE(t.table.empty() && t.parameters[0].column.empty());
    Record sutrs;
    sutrs.kind = Sutrs;
    sutrs.rawData = "x'); DROP TABLE t; --";
    sutrs.title = "Caf\xE9";  // a stray Latin-1 byte becomes UTF-8
    EXPECT_EQ(templateValues(t, sutrs)[0].data,
              "<html><head></head><body><pre></pre></body></html> x");
    EXPECT_EQ(templateValues(t, sutrs)[1].data, "Caf\xC3\xA9");
    EXPECT_EQ(templateValues(t, sutrs)[2].data, "");

    // PostgreSQL's other literals: bound the same way, their text read as the server would.
    ASSERT_TRUE(parseInsertTemplate(
        "INSERT INTO \"my \"\"recs\"\"\".\"order\"(a, \"b c\", c, d) VALUES($q$By {AUTHOR}$q$, "
        "E'It\\'s \\x41\\101\\u00e9\\n{TITLE}', $$x$$, $1)",
        t, error))
        << error;
    EXPECT_EQ(
        t.sql,
        "INSERT INTO \"my \"\"recs\"\"\".\"order\"(a, \"b c\", c, d) VALUES(?, ?, $$x$$, $1)");
    EXPECT_EQ(t.table, "\"my \"\"recs\"\"\".\"order\"");
    EXPECT_EQ(t.parameters[1].column, "b c");
    EXPECT_EQ(templateValues(t, sutrs)[0].data, "By ");
    EXPECT_EQ(templateValues(t, sutrs)[1].data, "It's AA\xC3\xA9\nCaf\xC3\xA9");
    EXPECT_FALSE(parseInsertTemplate("INSERT INTO t VALUES($a${TITLE}$b$)", t, error));

    ASSERT_TRUE(parseInsertTemplate("DELETE FROM t", t, error));
    EXPECT_EQ(t.sql, "DELETE FROM t");
    EXPECT_TRUE(t.parameters.empty());
}

TEST(ExportTextsTest, TemplatesOfMoreThanOneStatementAreRefused) {
    ParsedTemplate t;
    std::string error;
    EXPECT_FALSE(parseInsertTemplate("INSERT INTO t VALUES('{TITLE}'); DROP TABLE t", t, error));
    EXPECT_NE(error.find("more than one statement"), std::string::npos) << error;
    EXPECT_TRUE(parseInsertTemplate("INSERT INTO t VALUES('a;b', \"c;d\")", t, error));
    EXPECT_FALSE(parseInsertTemplate("INSERT INTO t VALUES('{TITLE})", t, error));
    EXPECT_NE(error.find("not closed"), std::string::npos) << error;
    EXPECT_FALSE(parseInsertTemplate("INSERT /* x", t, error));
}

TEST(ExportTextsTest, WizardStatementListsMappedColumnsInOrder) {
    ExportWizardData data;
    data.tableName = "t";
    data.mappings = {{"x", "TITLE"}, {"y", ""}, {"z_1", "MARCRECORD"}};
    EXPECT_EQ(wizardInsertStatement(data),
              "INSERT INTO t(x, z_1) VALUES('{TITLE}', '{MARCRECORD}')");
    data.mappings = {{"x", ""}};
    EXPECT_EQ(wizardInsertStatement(data), "INSERT INTO t() VALUES()");
    // Names that would not survive bare: blanks, capitals, quotes, reserved words.
    data.tableName = "lib.My \"Recs\"";
    data.mappings = {{"order", "TITLE"}, {"Title", "AUTHOR"}, {"2nd", "RECORD"}};
    EXPECT_EQ(wizardInsertStatement(data),
              "INSERT INTO lib.\"My \"\"Recs\"\"\"(\"order\", \"Title\", \"2nd\") "
              "VALUES('{TITLE}', '{AUTHOR}', '{RECORD}')");
}

TEST(ExportTextsTest, ConnectionStringsParseAndFormatBack) {
    ConnectionSettings s;
    std::string error;
    ASSERT_TRUE(parseConnectionString("driver=sqlite; DATABASE = /tmp/a b.db ;", s, error))
        << error;
    EXPECT_EQ(s.driver, DbDriver::SQLite);
    EXPECT_EQ(s.database, "/tmp/a b.db");

    ASSERT_TRUE(parseConnectionString(
        "Driver=PostgreSQL;Host=127.0.0.1;Port=5433;Database=lib;User=me;Password={p;w}}d}", s,
        error))
        << error;
    EXPECT_EQ(s.host, "127.0.0.1");
    EXPECT_EQ(s.port, 5433);
    EXPECT_EQ(s.password, "p;w}d");
    ConnectionSettings back;
    ASSERT_TRUE(parseConnectionString(formatConnectionString(s), back, error)) << error;
    EXPECT_EQ(back.password, s.password);
    EXPECT_EQ(back.database, "lib");
    EXPECT_EQ(back.user, "me");

    ASSERT_TRUE(parseConnectionString("Driver=ODBC;DRIVER={SQLite3};Database=x.db", s, error));
    EXPECT_EQ(s.driver, DbDriver::ODBC);
    EXPECT_EQ(s.odbc, "DRIVER={SQLite3};Database=x.db");
    EXPECT_EQ(formatConnectionString(s), "Driver=ODBC;DRIVER={SQLite3};Database=x.db");
}

TEST(ExportTextsTest, OdbcStringsReachTheDriverManagerUnchanged) {
    QodbcLogin login;
    std::string error;
    ASSERT_TRUE(qodbcLogin("Driver={SQLite3};Database=x.db", login, error)) << error;
    EXPECT_EQ(login.databaseName, "Driver={SQLite3};Database=x.db");
    ASSERT_TRUE(qodbcLogin("DSN=books; UID=me; PWD={a;b}}}", login, error)) << error;
    EXPECT_EQ(login.databaseName, "books");
    EXPECT_EQ(login.password, "{a;b}}}");
    ASSERT_TRUE(qodbcLogin("FILEDSN=/etc/books.dsn", login, error)) << error;
    EXPECT_EQ(login.databaseName, "/etc/books.dsn");
    for (const char* bad : {"DSN=books;Database=x", "UID=me", "Driver=x;Database=my.dsn.db"})
        EXPECT_FALSE(qodbcLogin(bad, login, error)) << bad;
}

TEST(ExportTextsTest, BadConnectionStringsSayWhy) {
    ConnectionSettings s;
    std::string error;
    const std::pair<const char*, const char*> cases[] = {
        {"", "empty"},
        {"Provider=SQLOLEDB;Data Source=x", "must start with Driver="},
        {"Driver=Oracle;Database=x", "Unknown driver \"Oracle\""},
        {"Driver=SQLite;Host=x;Database=y", "Unknown key \"Host\""},
        {"Driver=SQLite;Database=a;Database=b", "twice"},
        {"Driver=SQLite;junk", "\"junk\" is not of the form Key=Value"},
        {"Driver=SQLite", "needs Database="},
        {"Driver=PostgreSQL;Port=70000", "port"},
        {"Driver=PostgreSQL;Password={open", "not closed"},
        {"Driver=ODBC;  ", "ODBC connection string"},
    };
    for (const auto& [text, why] : cases) {
        EXPECT_FALSE(parseConnectionString(text, s, error)) << text;
        EXPECT_NE(error.find(why), std::string::npos) << text << " gave: " << error;
    }
}
