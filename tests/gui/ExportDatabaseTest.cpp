// The database access layer and the database export on real databases: SQLite
// files, a private PostgreSQL cluster and SQLite through the ODBC driver manager.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

#include "GuiSupport.h"
#include "PostgresCluster.h"
#include "SearchHarness.h"
#include "export/InsertTemplate.h"
#include "export/db/CADODatabase.h"
#include "export/db/CADOException.h"
#include "export/db/CADORecordset.h"
#include "export/db/CADOXCatalog.h"
#include "export/widgets/DlgDataSource.h"
#include "export/widgets/DlgExportToDatabase.h"
#include "export/widgets/PPExportDBWizard_MapFields.h"
#include "export/widgets/PPExportDBWizard_SelectTable.h"
#include "export/widgets/RecordExport.h"
#include "ui/PropertySheet.h"

namespace {

const char* const kLongColumn = "a_column_name_of_well_over_thirty_characters";

// Runs sql on connection; the test fails when it does not run.
void run(CADODatabase& db, const std::string& sql) {
    try {
        db.Execute(sql);
    } catch (const CADOException& e) {
        QFAIL(("'" + sql + "' failed: " + e.description()).c_str());
    }
}

// Reads the first column of every row of sql through a connection of the test's own.
QStringList column(const std::string& connection, const QString& sql, bool latin1Bytes = false) {
    CADODatabase db;
    db.Open(connection);
    QSqlQuery query(db.database());
    QStringList out;
    if (!query.exec(sql)) return {QStringLiteral("failed: ") + sql};
    while (query.next())
        out << (latin1Bytes ? QString::fromLatin1(query.value(0).toByteArray())
                            : query.value(0).toString());
    return out;
}

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class ExportDatabaseTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    TempDir tmp_;
    std::unique_ptr<PostgresCluster> postgres_;
    std::unique_ptr<YazZtestServer> ztest_;
    std::string postgresError_;
    Record marc8_;  // a MARC-8 record with bytes outside ASCII, from a real server

    std::string sqliteFile(const std::string& name) {
        const std::string path = tmp_.file(name);
        writeFileBytes(path, "");  // SQLite takes an empty file as an empty database
        return "Driver=SQLite;Database=" + path;
    }
    std::string postgresString(const std::string& user = "postgres") const {
        return "Driver=PostgreSQL;Host=127.0.0.1;Port=" + std::to_string(postgres_->port()) +
               ";Database=postgres;User=" + user;
    }
    void requirePostgres() {
        if (!postgres_) QFAIL(("no PostgreSQL cluster: " + postgresError_).c_str());
    }

    // The layer's promises on any database that has the table t(id, long column).
    void checkLayer(const std::string& connection) {
        CADODatabase db;
        QVERIFY(db.Open(connection));
        QVERIFY(db.Open());  // again, on the stored string: the first is closed first
        run(db, std::string("CREATE TABLE layer_t (id INTEGER, ") + kLongColumn + " TEXT)");
        CADORecordset rs;
        QVERIFY(rs.Open(db, "layer_t", true));
        QCOMPARE(rs.GetFieldCount(), 2);
        QCOMPARE(fromStd(rs.GetFieldInfo(1).name), QString(kLongColumn));
        QVERIFY_THROWS_EXCEPTION(CADOException, rs.Open(db, "no_such_table", true));
        try {
            db.Execute("INSERT INTO no_such_table VALUES(1)");
            QFAIL("a bad statement ran");
        } catch (const CADOException& e) {
            QVERIFY2(fromStd(e.description()).contains("no_such_table"), e.what());
        }
        CADOXCatalog catalog;
        QVERIFY(catalog.Open(connection));
        QStringList tables;
        for (int i = 0; i < catalog.GetTableCount(); ++i)
            tables << fromStd(catalog.GetTableName(i));
        QVERIFY2(tables.contains("layer_t"), qPrintable(tables.join(",")));
        db.Close();
        QVERIFY(!db.IsOpen());
        QVERIFY_THROWS_EXCEPTION(CADOException, db.Execute("SELECT 1"));
    }

    // One row of the table demo, found by its target: title, author and the unmapped
    // column; the XML; the text; the raw record as Latin-1 text.
    QStringList demoRow(const std::string& connection, const std::string& target) {
        const bool postgres = connection.find("PostgreSQL") != std::string::npos;
        const QString from = " FROM demo WHERE target = '" + fromStd(target) + "'";
        return {column(connection,
                       "SELECT title || '|' || author || '|' || "
                       "coalesce(other, 'null')" +
                           from)
                    .value(0),
                column(connection, "SELECT xml" + from).value(0),
                column(connection, "SELECT txt" + from).value(0),
                column(connection,
                       (postgres ? "SELECT convert_to(marc, 'LATIN1')" : "SELECT marc") + from,
                       postgres)
                    .value(0)};
    }
    std::string odbcString(const std::string& name) {
        const std::string file = tmp_.file(name);
        writeFileBytes(file, "");
        return "Driver=ODBC;Driver={QRN Test SQLite3};Database=" + file;
    }

    // Exports the records numbered with sql, the dialog confirmed as it stands.
    static void exportWith(DocumentCore& doc, const std::string& connection, const std::string& sql,
                           const std::vector<int32_t>& numbers,
                           std::function<void()> whileOpen = {}) {
        doc.settings->InsertDBString = connection;
        doc.settings->InsertSQL = sql;
        whenModal([whileOpen](QDialog* d) {
            if (whileOpen) whileOpen();
            QTest::mouseClick(qobject_cast<DlgExportToDatabase*>(d)->okButton(), Qt::LeftButton);
        });
        QVERIFY(exportRecordToDatabase(doc, numbers, nullptr));
    }

    // For the next export: the dialog takes connection, its Wizard maps the
    // table's columns in order to placeholders, OK.
    static void mapWithWizard(const std::string& connection, const QString& table,
                              const std::vector<const char*>& placeholders) {
        whenModal([=](QDialog* d) {
            auto* dialog = qobject_cast<DlgExportToDatabase*>(d);
            dialog->connectionEdit()->setText(QString::fromStdString(connection));
            whenModal([=](QDialog* s) {
                auto* sheet = qobject_cast<PropertySheet*>(s);
                QTest::mouseClick(sheet->nextButton(), Qt::LeftButton);
                auto* tables = qobject_cast<PPExportDBWizard_SelectTable*>(sheet->currentPage());
                QTest::keyClicks(tables->tableBox, table);
                QTest::mouseClick(sheet->nextButton(), Qt::LeftButton);
                auto* map = qobject_cast<PPExportDBWizard_MapFields*>(sheet->currentPage());
                for (int row = 0; row < static_cast<int>(placeholders.size()); ++row) {
                    map->columnList->setCurrentRow(row);
                    // From "None" down the list, as the arrow keys go.
                    QTest::keyClick(map->placeholderBox, Qt::Key_Home);
                    for (int i = 0; i < map->placeholderBox->count() &&
                                    map->placeholderBox->currentText() != placeholders[row];
                         ++i)
                        QTest::keyClick(map->placeholderBox, Qt::Key_Down);
                }
                QTest::mouseClick(sheet->okButton(), Qt::LeftButton);
            });
            QTest::mouseClick(dialog->wizardButton(), Qt::LeftButton);
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
    }

    static QStringList expectedRow(const Record& r, const std::string& title,
                                   const std::string& author) {
        return {fromStd(title + "|" + author + "|null"), fromStd(r.xmlText),
                fromStd("<html><head></head><body><pre>" + r.renderedText + "</pre></body></html>"),
                QString::fromLatin1(QByteArray::fromStdString(r.rawData))};
    }

private slots:
    void initTestCase() {
        try {
            postgres_ = std::make_unique<PostgresCluster>();
        } catch (const std::exception& e) {
            postgresError_ = e.what();
        }
        // The SQLite ODBC driver, registered for this test only.
        const QString odbcDir = QString::fromStdString(tmp_.file("odbc"));
        QDir().mkpath(odbcDir);
        writeFileBytes(tmp_.file("odbc/odbcinst.ini"),
                       "[QRN Test SQLite3]\nDriver=libsqlite3odbc.so\n");
        writeFileBytes(
            tmp_.file("odbc/odbc.ini"),
            "[QRN Test DSN]\nDriver=QRN Test SQLite3\nDatabase=" + tmp_.file("odbc.db") + "\n");
        qputenv("ODBCSYSINI", odbcDir.toLocal8Bit());
        qputenv("ODBCINSTINI", "odbcinst.ini");
        qputenv("ODBCINI", (odbcDir + "/odbc.ini").toLocal8Bit());

        ztest_ = std::make_unique<YazZtestServer>();
        SearchHarness search(searchSettings(30));
        search.addTarget("Z39.50 test server", ztest_->zurl("Default"));
        search.start("@attr 1=4 30");
        QVERIFY(search.drain());
        for (const Record& r : search.doc->store.copyAll()) {
            if (!std::all_of(r.rawData.begin(), r.rawData.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
                search.doc->store.copyRecord(r.number, marc8_);
                break;
            }
        }
        QVERIFY2(!marc8_.rawData.empty(), "the test server sent no MARC-8 record with diacritics");
        QCOMPARE(marc8_.kind, Marc);
    }

    void openingNeedsAGoodStringAndAnExistingFile() {
        CADODatabase db;
        QVERIFY_THROWS_EXCEPTION(CADOException, db.Open());
        const std::string missing = tmp_.file("missing.db");
        try {
            db.Open("Driver=SQLite;Database=" + missing);
            QFAIL("a missing SQLite file opened");
        } catch (const CADOException& e) {
            QCOMPARE(e.code(), CADOException::kNoDatabaseFile);
        }
        QVERIFY(!QFile::exists(QString::fromStdString(missing)));
        CADOXCatalog catalog;
        QVERIFY(!catalog.Open("Driver=SQLite;Database=" + missing));
        QCOMPARE(catalog.GetTableCount(), 0);
    }

    void layerOnSqlite() { checkLayer(sqliteFile("layer.db")); }

    void layerOnPostgres() {
        requirePostgres();
        checkLayer(postgresString());
        CADODatabase db;
        db.Open(postgresString());
        run(db, "CREATE TABLE no_columns()");
        CADORecordset rs;
        QVERIFY(rs.Open(db, "no_columns"));
        QCOMPARE(rs.GetFieldCount(), 0);
    }

    void layerThroughOdbc() {
        const std::string file = tmp_.file("odbc.db");
        writeFileBytes(file, "");
        const std::string odbc = "Driver=ODBC;Driver={QRN Test SQLite3};Database=" + file;
        checkLayer(odbc);
        CADOXCatalog byName;
        QVERIFY(byName.Open("Driver=ODBC;DSN=QRN Test DSN"));
        QCOMPARE(byName.GetTableName(0), std::string("layer_t"));
        // The table is really in the SQLite file.
        QCOMPARE(column("Driver=SQLite;Database=" + file,
                        "SELECT name FROM sqlite_master WHERE type='table'"),
                 QStringList({"layer_t"}));
    }

    void dialogStoresTextsAndCancelKeepsThem() {
        SearchHarness search(searchSettings());
        DocumentCore& doc = *search.doc;
        doc.store.add(marc8_);
        doc.selection.selectedRecordNumber = 1;
        const std::string connection = sqliteFile("dialog.db");
        // An empty template shows the default one; OK stores it, and it fails.
        doc.settings->InsertDBString = connection;
        MessageBoxCatcher boxes;
        whenModal([](QDialog* d) {
            auto* dialog = qobject_cast<DlgExportToDatabase*>(d);
            QCOMPARE(dialog->templateEdit()->toPlainText(), QString(kDefaultInsertTemplate));
            grabToFile(dialog, "DlgExportToDatabase");
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        QVERIFY(exportRecordToDatabase(doc, {doc.selection.selectedRecordNumber}, nullptr));
        QCOMPARE(doc.settings->InsertSQL, std::string(kDefaultInsertTemplate));
        QTRY_COMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts()[0].startsWith("Unable to execute SQL\n"));
        QCOMPARE(boxes.titles()[0], QString("qrn"));

        // Cancel changes nothing.
        whenModal([](QDialog* d) {
            qobject_cast<DlgExportToDatabase*>(d)->connectionEdit()->setText("changed");
            d->reject();
        });
        QVERIFY(!exportRecordToDatabase(doc, {doc.selection.selectedRecordNumber}, nullptr));
        QCOMPARE(doc.settings->InsertDBString, connection);
    }

    void dataSourceDialogBuildsAndTriesTheString() {
        const std::string good = sqliteFile("source.db");
        DlgDataSource dialog("Driver=PostgreSQL;Host=db.example;Port=5433;User=me");
        dialog.show();
        QCOMPARE(dialog.driverBox->currentText(), QString("PostgreSQL"));
        QCOMPARE(dialog.portBox->value(), 5433);
        grabToFile(&dialog, "DlgDataSource-PostgreSQL");
        dialog.driverBox->setCurrentIndex(0);
        grabToFile(&dialog, "DlgDataSource-SQLite");
        QTest::keyClicks(dialog.fileEdit, fromStd(tmp_.file("nowhere.db")));
        QTest::mouseClick(dialog.testButton, Qt::LeftButton);
        QVERIFY2(dialog.statusLabel->text().contains("does not exist"),
                 qPrintable(dialog.statusLabel->text()));
        dialog.fileEdit->clear();
        dialog.accept();  // no file: refused, and says why
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.statusLabel->text().contains("Database=PATH"));

        dialog.fileEdit->setText(fromStd(good.substr(good.find('=', 7) + 1)));
        QTest::mouseClick(dialog.testButton, Qt::LeftButton);
        QCOMPARE(dialog.statusLabel->text(), QString("The connection works."));
        QCOMPARE(dialog.connectionString(), good);

        // Cancel leaves the caller's string alone; OK replaces it.
        std::string field = "Driver=SQLite;Database=old.db";
        whenModal([](QDialog* d) { d->reject(); });
        QVERIFY(!promptDataSource(nullptr, field));
        QCOMPARE(field, std::string("Driver=SQLite;Database=old.db"));
        whenModal([this](QDialog* d) {
            auto* prompt = qobject_cast<DlgDataSource*>(d);
            prompt->driverBox->setCurrentIndex(1);
            prompt->hostEdit->setText("127.0.0.1");
            prompt->databaseEdit->setText("lib");
            prompt->accept();
        });
        QVERIFY(promptDataSource(nullptr, field));
        QCOMPARE(field, std::string("Driver=PostgreSQL;Host=127.0.0.1;Database=lib"));
    }

    // As a new user would: a demo catalogue record, a table made for it, the wizard to
    // map every column, OK; the row holds exactly the record's values. Then a MARC-8
    // record whose values try to break out: they arrive as they are, the table survives.
    void wizardExportOfADemoRecord() {
        std::unique_ptr<ZebraServer> zebra = ZebraServer::withDemoCorpus();
        SearchHarness search(searchSettings(1));
        search.addTarget("Demo catalogue", zebra->zurl("Default"), "usmarc", "F");
        search.start("@attr 1=_ALLRECORDS @attr 2=103 \"\"");
        QVERIFY(search.drain());
        DocumentCore& doc = *search.doc;
        Record r;
        QVERIFY(doc.store.copyRecord(1, r));

        requirePostgres();
        for (const std::string& connection : {sqliteFile("demo.db"), postgresString()}) {
            doc.selection.selectedRecordNumber = 1;
            CADODatabase db;
            db.Open(connection);
            run(db,
                "CREATE TABLE demo (title TEXT, author TEXT, target TEXT, marc TEXT, xml TEXT, "
                "txt TEXT, other TEXT)");
            mapWithWizard(
                connection, "demo",
                {"TITLE", "AUTHOR", "TARGETNAME", "MARCRECORD", "XMLRECORD", "TXTRECORD"});
            MessageBoxCatcher boxes;
            QVERIFY(exportRecordToDatabase(doc, {doc.selection.selectedRecordNumber}, nullptr));
            QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join("\n")));
            QCOMPARE(doc.settings->InsertSQL,
                     std::string("INSERT INTO demo(title, author, target, marc, xml, txt) "
                                 "VALUES('{TITLE}', '{AUTHOR}', '{TARGETNAME}', '{MARCRECORD}', "
                                 "'{XMLRECORD}', '{TXTRECORD}')"));
            QCOMPARE(demoRow(connection, r.targetName), expectedRow(r, r.title, r.author));

            // The same statement for a MARC-8 record with values that try to break out.
            Record odd = marc8_;
            odd.title =
                "O'Brien: x'); DROP TABLE demo; -- {AUTHOR} \xC3\x9C"
                "ber";
            odd.author = "Dvo\xC5\x99\xC3\xA1k";
            doc.store.add(odd);
            doc.selection.selectedRecordNumber = static_cast<int32_t>(doc.store.count());
            whenModal([](QDialog* d) {
                QTest::mouseClick(qobject_cast<DlgExportToDatabase*>(d)->okButton(),
                                  Qt::LeftButton);
            });
            QVERIFY(exportRecordToDatabase(doc, {doc.selection.selectedRecordNumber}, nullptr));
            QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join("\n")));
            QCOMPARE(demoRow(connection, odd.targetName), expectedRow(odd, odd.title, odd.author));
        }
        // Every byte one character: the text is as long as the leader says.
        QCOMPARE(column(postgresString(), "SELECT length(marc) FROM demo WHERE target <> '" +
                                              fromStd(r.targetName) + "'"),
                 QStringList(fromStd(std::to_string(std::stoi(marc8_.rawData.substr(0, 5))))));
    }

    // A server's record whose title tries to break out of its quotes (also where
    // a backslash escapes), that would grow a pasted statement without end, and
    // whose raw data holds NUL bytes: it arrives as it is, and nothing else runs.
    void hostileRecordsArriveAsTheyAre() {
        requirePostgres();
        SearchHarness search(searchSettings());
        DocumentCore& doc = *search.doc;
        Record hostile = marc8_;
        hostile.title = "x\\', chr(65)); DROP TABLE victim; --";
        for (int i = 0; i < 300; ++i) hostile.title += "{RECORD}";
        for (int i = 0; i < 1000; ++i) hostile.rawData += std::string("\0{MARCRECORD}", 13);
        doc.store.add(hostile);
        const QString raw = QString::fromLatin1(QByteArray::fromStdString(hostile.rawData));
        for (const std::string& connection :
             {sqliteFile("hostile.db"), odbcString("hostile-odbc.db"), postgresString()}) {
            const bool postgres = connection.find("PostgreSQL") != std::string::npos;
            const bool odbc = connection.find("ODBC") != std::string::npos;
            CADODatabase db;
            db.Open(connection);
            run(db, "CREATE TABLE victim (x INTEGER)");
            run(db, std::string("CREATE TABLE hostile (title TEXT, marc ") +
                        (postgres ? "BYTEA" : "BLOB") + ", marctext TEXT)");
            if (postgres) run(db, "ALTER DATABASE postgres SET standard_conforming_strings = off");
            const std::string asText =
                "INSERT INTO hostile(title, marc, marctext) "
                "VALUES('{TITLE}', '{RECORD}', 'By {MARCRECORD}');";
            if (odbc) {
                // Its driver would cut text at the NUL: refused, not cut.
                MessageBoxCatcher refused;
                exportWith(doc, connection, asText, {1});
                QTRY_COMPARE(refused.texts().size(), 1);
                QVERIFY2(refused.texts()[0].contains("NUL byte"), qPrintable(refused.texts()[0]));
            }
            MessageBoxCatcher boxes;
            // PostgreSQL text holds no NUL: the raw record goes only as bytes there.
            exportWith(doc, connection,
                       postgres || odbc
                           ? "INSERT INTO hostile(title, marc) VALUES('{TITLE}', {RECORD})"
                           : asText,
                       {1});
            if (postgres) run(db, "ALTER DATABASE postgres RESET standard_conforming_strings");
            QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join("\n")));
            QCOMPARE(column(connection, "SELECT title FROM hostile"),
                     QStringList(fromStd(hostile.title)));
            QCOMPARE(column(connection, "SELECT marc FROM hostile", true), QStringList(raw));
            if (!postgres && !odbc)
                QCOMPARE(column(connection, "SELECT marctext FROM hostile"),
                         QStringList("By " + raw));
            QCOMPARE(column(connection, "SELECT count(*) FROM victim"), QStringList("0"));
        }
    }

    // A second statement is refused; a locked table ends with the time limit or
    // with Cancel, nothing written, and the window's loop runs all along.
    void refusedAndLockedExportsEndWithAMessage() {
        requirePostgres();
        SearchHarness search(searchSettings());
        DocumentCore& doc = *search.doc;
        doc.store.add(marc8_);
        const std::string sqlite = sqliteFile("locked.db");
        const std::string insert = "INSERT INTO locked(title) VALUES('{TITLE}')";
        for (const std::string& connection : {sqlite, postgresString()}) {
            CADODatabase db;
            db.Open(connection);
            run(db, "CREATE TABLE locked (title TEXT)");
            {
                MessageBoxCatcher refused;
                exportWith(doc, connection, insert + "; DROP TABLE locked", {1});
                QTRY_COMPARE(refused.texts().size(), 1);
                QVERIFY2(refused.texts()[0].contains("more than one statement"),
                         qPrintable(refused.texts()[0]));
            }

            CADODatabase other;
            other.Open(connection);
            other.BeginTrans();
            run(other, connection == sqlite ? "INSERT INTO locked VALUES('mine')"
                                            : "LOCK TABLE locked IN ACCESS EXCLUSIVE MODE");
            const int limit = CADODatabase::commandTimeLimitMs();
            CADODatabase::commandTimeLimitMs() = 300;
            int ticks = 0;
            QTimer tick;
            connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
            tick.start(20);
            {
                MessageBoxCatcher timedOut;
                exportWith(doc, connection, insert, {1});
                QTRY_COMPARE(timedOut.texts().size(), 1);
                QVERIFY2(timedOut.texts()[0].startsWith("Unable to execute SQL\n") &&
                             (timedOut.texts()[0].contains("locked") ||
                              timedOut.texts()[0].contains("timeout")),
                         qPrintable(timedOut.texts()[0]));
            }

            // Cancel, long before the limit: no message, no row.
            CADODatabase::commandTimeLimitMs() = 60000;
            MessageBoxCatcher cancelled;
            exportWith(doc, connection, insert, {1}, [] {
                whenModal([](QDialog* progress) {
                    QVERIFY(qobject_cast<QProgressDialog*>(progress));
                    QCOMPARE(progress->findChild<QLabel*>()->text(),
                             QString("Exporting to the database…"));
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                });
            });
            CADODatabase::commandTimeLimitMs() = limit;
            QVERIFY(ticks > 10);
            other.RollbackTrans();
            QVERIFY2(cancelled.texts().isEmpty(), qPrintable(cancelled.texts().join("\n")));
            QCOMPARE(column(connection, "SELECT count(*) FROM locked"), QStringList("0"));
        }
    }

    // Several records: all rows or none, and a failure names its record.
    void severalRecordsGoInOneTransaction() {
        requirePostgres();
        SearchHarness search(searchSettings());
        DocumentCore& doc = *search.doc;
        for (const char* title : {"one", "two", "three", "bad", "five"}) {
            Record r = marc8_;
            r.title = title;
            doc.store.add(r);
        }
        for (const std::string& connection : {sqliteFile("many.db"), postgresString()}) {
            CADODatabase db;
            db.Open(connection);
            run(db, "CREATE TABLE many (title TEXT CHECK (title <> 'bad'))");
            const std::string sql = "INSERT INTO many(title) VALUES('{TITLE}')";
            MessageBoxCatcher boxes;
            exportWith(doc, connection, sql, {1, 2, 3, 4, 5});
            QTRY_COMPARE(boxes.texts().size(), 1);
            QVERIFY2(boxes.texts()[0].startsWith("Unable to execute SQL\nRecord 4 of 5, \"bad\": "),
                     qPrintable(boxes.texts()[0]));
            QCOMPARE(column(connection, "SELECT count(*) FROM many"), QStringList("0"));
            exportWith(doc, connection, sql, {5, 1, 3});
            QCOMPARE(column(connection, "SELECT title FROM many"),
                     QStringList({"five", "one", "three"}));

            // Cancel while the table is held elsewhere: nothing more is written.
            CADODatabase other;
            other.Open(connection);
            other.BeginTrans();
            run(other, connection.find("SQLite") != std::string::npos
                           ? "INSERT INTO many VALUES('held')"
                           : "LOCK TABLE many IN ACCESS EXCLUSIVE MODE");
            QString label;
            exportWith(doc, connection, sql, {1, 2, 3, 5}, [&label] {
                whenModal([&label](QDialog* progress) {
                    label = progress->findChild<QLabel*>()->text();
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                });
            });
            other.RollbackTrans();
            QCOMPARE(label, QString("Exporting record 1 of 4"));
            QCOMPARE(column(connection, "SELECT count(*) FROM many"), QStringList("3"));
        }
    }

    // A quoted table name still finds the byte column; a table whose columns cannot be
    // read ends the export saying so, instead of sending the record as changed text.
    void rawRecordIntoAQuotedTable() {
        requirePostgres();
        SearchHarness search(searchSettings());
        DocumentCore& doc = *search.doc;
        Record r = marc8_;
        r.rawData += std::string("\0tail", 5);
        doc.store.add(r);
        const QString raw = QString::fromLatin1(QByteArray::fromStdString(r.rawData));
        const std::string sql = "INSERT INTO \"my order\"(\"Marc\") VALUES({RECORD})";
        for (const std::string& connection : {sqliteFile("quoted.db"), postgresString()}) {
            const bool postgres = connection.find("PostgreSQL") != std::string::npos;
            CADODatabase db;
            db.Open(connection);
            run(db, std::string("CREATE TABLE \"my order\" (\"Marc\" ") +
                        (postgres ? "BYTEA)" : "BLOB)"));
            MessageBoxCatcher boxes;
            if (postgres) {
                exportWith(doc, connection, sql, {1});
            } else {
                // The wizard quotes the names it writes.
                mapWithWizard(connection, "my order", {"RECORD"});
                QVERIFY(exportRecordToDatabase(doc, {1}, nullptr));
                QCOMPARE(doc.settings->InsertSQL,
                         std::string("INSERT INTO \"my order\"(\"Marc\") VALUES('{RECORD}')"));
            }
            QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join("\n")));
            QCOMPARE(column(connection, "SELECT \"Marc\" FROM \"my order\"", true),
                     QStringList(raw));
            if (!postgres) continue;

            run(db, "CREATE ROLE writer LOGIN");
            run(db, "GRANT INSERT ON \"my order\" TO writer");
            exportWith(doc, postgresString("writer"), sql, {1});
            QTRY_COMPARE(boxes.texts().size(), 1);
            QVERIFY2(boxes.texts()[0].contains(
                         "The columns of the table \"my order\" could not be read: "),
                     qPrintable(boxes.texts()[0]));
            QCOMPARE(column(connection, "SELECT count(*) FROM \"my order\""), QStringList("1"));
        }
    }

    // Cancel while the commit runs, too late to stop it: the rows are there, and
    // the message says so rather than passing for a cancel.
    void cancelDuringTheCommitSaysWhatHappened() {
        requirePostgres();
        SearchHarness search(searchSettings());
        DocumentCore& doc = *search.doc;
        doc.store.add(marc8_);
        const std::string connection = postgresString();
        CADODatabase db;
        db.Open(connection);
        run(db, "CREATE TABLE late (title TEXT)");
        // A commit that takes its time and shrugs a cancel off.
        run(db,
            "CREATE FUNCTION slow_commit() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
            "BEGIN PERFORM pg_sleep(3); EXCEPTION WHEN query_canceled THEN NULL; END; "
            "RETURN NULL; END $$");
        run(db,
            "CREATE CONSTRAINT TRIGGER slow AFTER INSERT ON late DEFERRABLE INITIALLY "
            "DEFERRED FOR EACH ROW EXECUTE FUNCTION slow_commit()");
        MessageBoxCatcher boxes;
        exportWith(doc, connection, "INSERT INTO late(title) VALUES('{TITLE}')", {1}, [connection] {
            whenModal([connection](QDialog* progress) {
                QTRY_VERIFY_WITH_TIMEOUT(
                    !column(connection,
                            "SELECT pid FROM pg_stat_activity WHERE query = 'COMMIT' "
                            "AND state = 'active'")
                         .isEmpty(),
                    10000);
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            });
        });
        QTRY_COMPARE(boxes.texts().size(), 1);
        QCOMPARE(boxes.texts()[0],
                 QString("The export could not be cancelled any more: the record was written."));
        QCOMPARE(column(connection, "SELECT count(*) FROM late"), QStringList("1"));
    }

    void cleanupTestCase() {
        postgres_.reset();
        ztest_.reset();
    }
};

QTEST_MAIN(ExportDatabaseTest)
#include "ExportDatabaseTest.moc"
