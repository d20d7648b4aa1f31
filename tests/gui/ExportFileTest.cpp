// The four file export commands on records fetched from real servers (the
// demo catalogue on Zebra, yaz-ztest), with the file dialogs answered through
// the chooser seam.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <chrono>
#include <deque>
#include <thread>

#include "CollectedMessages.h"
#include "FileSizeLimit.h"
#include "GuiSupport.h"
#include "MarcBuilder.h"
#include "SearchHarness.h"
#include "export/widgets/FileChooser.h"
#include "export/widgets/RecordExport.h"

namespace {

const char* const kControlNumberXsl =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
    "<xsl:output method='text'/><xsl:template match='/'>"
    "<xsl:value-of select=\"//*[local-name()='controlfield'][@tag='001']\"/>"
    "</xsl:template></xsl:stylesheet>";

constexpr uid_t kNobody = 65534;

// While it lives, file access is checked as nobody's (when on is set): the
// saved root id takes the process back after.
struct AsNobody {
    const bool on;
    explicit AsNobody(bool switchUser) : on(switchUser) {
        if (on && (::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0)) std::abort();
    }
    ~AsNobody() {
        if (on && (::seteuid(0) != 0 || ::setegid(0) != 0)) std::abort();
    }
};

}  // namespace

class ExportFileTest : public QObject {
    Q_OBJECT
private:
    IsolatedUserDirs dirs_;
    TempDir tmp_;
    std::unique_ptr<ZebraServer> zebra_;
    std::unique_ptr<YazZtestServer> ztest_;
    std::unique_ptr<SearchHarness> demo_;         // Zebra: MARC 21 in UTF-8, and MODS
    std::unique_ptr<SearchHarness> ztestSearch_;  // yaz-ztest: MARC-8 MARC, and SUTRS
    std::deque<QString> answers_;
    std::vector<FileRequest> asked_;
    bool storeFreeWhileAsking_ = true;

    // The first record of kind from the target named, selected in its document.
    DocumentCore& select(SearchHarness& h, const std::string& target, Record& out) {
        for (const Record& r : h.doc->store.copyAll()) {
            if (r.targetName == target) {
                h.doc->store.copyRecord(r.number, out);
                h.doc->selection.selectedRecordNumber = r.number;
                break;
            }
        }
        return *h.doc;
    }

    std::string exportTo(DocumentCore& doc, FileExportKind kind, const std::string& name) {
        answers_.push_back(QString::fromStdString(tmp_.file(name)));
        exportRecordToFile(doc, kind, nullptr);
        return readFileBytes(tmp_.file(name));
    }

private slots:
    void initTestCase() {
        zebra_ = ZebraServer::withDemoCorpus();
        ztest_ = std::make_unique<YazZtestServer>();
        demo_ = std::make_unique<SearchHarness>(searchSettings(3));
        demo_->addTarget("Demo MARC", zebra_->zurl("Default"), "usmarc", "F");
        demo_->addTarget("Demo MODS", zebra_->zurl("Default"), "xml", "mods");
        demo_->start("@attr 1=_ALLRECORDS @attr 2=103 \"\"");
        ztestSearch_ = std::make_unique<SearchHarness>(searchSettings(3));
        ztestSearch_->addTarget("Test MARC", ztest_->zurl("Default"), "usmarc", "F");
        ztestSearch_->addTarget("Test SUTRS", ztest_->zurl("Default"), "sutrs", "F");
        ztestSearch_->start("@attr 1=4 3");
        QVERIFY(demo_->drain());
        QVERIFY(ztestSearch_->drain());
        QCOMPARE(demo_->doc->store.count(), size_t(6));
        QCOMPARE(ztestSearch_->doc->store.count(), size_t(6));

        setFileChooser([this](QWidget*, const FileRequest& request) {
            asked_.push_back(request);
            // No store lock may be held while a dialog is open: a worker could take it.
            std::thread worker([this] {
                for (SearchHarness* h : {demo_.get(), ztestSearch_.get()}) {
                    if (!h->doc->store.lock().try_lock()) {
                        storeFreeWhileAsking_ = false;
                        continue;
                    }
                    h->doc->store.lock().unlock();
                }
            });
            worker.join();
            if (answers_.empty()) return QString();
            QString answer = answers_.front();
            answers_.pop_front();
            return answer;
        });
    }

    void init() {
        asked_.clear();
        answers_.clear();
    }

    void marcTextAndXmlAreTheRecordsBytes() {
        for (auto [harness, target] :
             {std::pair{demo_.get(), "Demo MARC"}, std::pair{ztestSearch_.get(), "Test MARC"}}) {
            Record r;
            DocumentCore& doc = select(*harness, target, r);
            QCOMPARE(r.kind, Marc);
            const std::string marc = exportTo(doc, FileExportKind::Marc, "r.mrc");
            QCOMPARE(marc, r.rawData);
            QCOMPARE(marc.size(), size_t(std::stoul(marc.substr(0, 5))));
            QCOMPARE(marc.back(), '\x1D');
            QVERIFY(!r.renderedText.empty() && !r.xmlText.empty());
            QCOMPARE(exportTo(doc, FileExportKind::Text, "r.txt"), r.renderedText);
            QCOMPARE(exportTo(doc, FileExportKind::Xml, "r.xml"), r.xmlText);
        }
        QCOMPARE(asked_.size(), size_t(6));
        // The choices of the many-record export, a name from the record, and
        // the next dialog starts where the last file went.
        QCOMPARE(asked_[0].filter, QString("MARC as received (*.mrc);;MARC as UTF-8 (*.mrc);;"
                                           "All Files (*)"));
        QVERIFY(asked_[0].fileName.size() > 3);
        QVERIFY(!asked_[0].fileName.contains(' '));
        QCOMPARE(asked_[1].directory, QDir(QString::fromStdString(tmp_.path())).absolutePath());
        QCOMPARE(asked_[0].defaultSuffix, QString("mrc"));
        QCOMPARE(asked_[1].filter, QString("Text (*.txt);;All Files (*)"));
        QCOMPARE(asked_[2].defaultSuffix, QString("xml"));
        QVERIFY(asked_[2].mode == FileRequest::Mode::Save);
        QVERIFY(storeFreeWhileAsking_);
    }

    void replacementCharactersAreNamedBeforeWriting() {
        Record bad;
        bad.kind = Marc;
        bad.targetName = "Demo MARC";
        bad.title = "Bad";
        bad.rawData = MarcBuilder("00000nam a2200000 a 4500")
                          .data("245", "10", {{'a', "Bad \xEF\xBF\xBD"}})
                          .build();
        DocumentCore& doc = *demo_->doc;
        doc.store.add(bad);
        doc.selection.selectedRecordNumber = static_cast<int32_t>(doc.store.count());
        {
            MessageBoxCatcher refused;
            exportRecordToFile(doc, FileExportKind::Marc, nullptr);
            QCOMPARE(refused.texts().size(), 1);
            QVERIFY2(refused.texts()[0].startsWith("Field 245 holds replacement"),
                     qPrintable(refused.texts()[0]));
        }
        QVERIFY(asked_.empty());
        whenModal([](QDialog* box) {
            if (auto* save = qobject_cast<QMessageBox*>(box)->button(QMessageBox::Save))
                save->click();
        });
        QCOMPARE(exportTo(doc, FileExportKind::Marc, "bad.mrc"), bad.rawData);
        QCOMPARE(asked_.size(), size_t(1));
    }

    void recordsWithoutTheTextGiveEmptyFiles() {
        Record mods, sutrs;
        DocumentCore& xmlDoc = select(*demo_, "Demo MODS", mods);
        QCOMPARE(mods.kind, Xml);
        QCOMPARE(exportTo(xmlDoc, FileExportKind::Marc, "mods.mrc"), std::string());
        QCOMPARE(exportTo(xmlDoc, FileExportKind::Xml, "mods.xml"), mods.xmlText);
        DocumentCore& sutrsDoc = select(*ztestSearch_, "Test SUTRS", sutrs);
        QCOMPARE(sutrs.kind, Sutrs);
        QCOMPARE(exportTo(sutrsDoc, FileExportKind::Marc, "sutrs.mrc"), sutrs.rawData);
        answers_.push_back(QString::fromStdString(tmp_.file("any.xsl")));
        QCOMPARE(exportTo(sutrsDoc, FileExportKind::XslTransformation, "sutrs.xml"), std::string());
    }

    void xslTransformationWritesTheResultOrTheUntransformedText() {
        const std::string xsl = tmp_.file("id.xsl");
        writeFileBytes(xsl, kControlNumberXsl);
        writeFileBytes(tmp_.file("broken.xsl"), "<xsl:stylesheet");
        Record r;
        DocumentCore& doc = select(*demo_, "Demo MARC", r);

        answers_.push_back(QString::fromStdString(xsl));
        QCOMPARE(exportTo(doc, FileExportKind::XslTransformation, "id.txt"),
                 controlNumberOf(r.rawData));
        QVERIFY(asked_[0].mode == FileRequest::Mode::Open);
        QCOMPARE(asked_[0].filter, QString("XSL (*.xsl);;All Files (*)"));
        QCOMPARE(asked_[1].defaultSuffix, QString());

        CollectedMessages messages;
        answers_.push_back(QString::fromStdString(tmp_.file("broken.xsl")));
        QCOMPARE(exportTo(doc, FileExportKind::XslTransformation, "same.xml"), r.xmlText);
        QCOMPARE(messages.texts().size(), size_t(1));

        // Cancelling either dialog writes nothing.
        const QDir dir(QString::fromStdString(tmp_.path()));
        const QStringList files = dir.entryList(QDir::Files);
        exportRecordToFile(doc, FileExportKind::XslTransformation, nullptr);
        answers_.push_back(QString::fromStdString(xsl));
        exportRecordToFile(doc, FileExportKind::XslTransformation, nullptr);
        QCOMPARE(dir.entryList(QDir::Files), files);
    }

    void aFailedWriteKeepsTheOldFile() {
        Record r;
        DocumentCore& doc = select(*demo_, "Demo MARC", r);
        QDir dir(QString::fromStdString(tmp_.file("keep")));
        QVERIFY(dir.mkpath("."));
        const std::string path = tmp_.file("keep/old.mrc");
        const std::string old(r.rawData.size() / 2, 'o');
        writeFileBytes(path, old);

        MessageBoxCatcher boxes;
        // Files may grow no further than the old one: the new record cannot be written.
        {
            const FileSizeLimit limit(old.size());
            QVERIFY(limit.active());
            answers_.push_back(QString::fromStdString(path));
            exportRecordToFile(doc, FileExportKind::Marc, nullptr);
        }

        QCOMPARE(QString::fromStdString(readFileBytes(path)), QString::fromStdString(old));
        QCOMPARE(dir.entryList(QDir::Files), QStringList({"old.mrc"}));
        QTRY_COMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts()[0].contains(QString::fromStdString(path)),
                 qPrintable(boxes.texts()[0]));

        // Again without the limit: the new record replaces the old file whole.
        QCOMPARE(exportTo(doc, FileExportKind::Marc, "keep/old.mrc"), r.rawData);
        QCOMPARE(exportTo(doc, FileExportKind::Text, "keep/old.mrc"), r.renderedText);

        const std::string nowhere = tmp_.file("no/such/folder/r.mrc");
        answers_.push_back(QString::fromStdString(nowhere));
        exportRecordToFile(doc, FileExportKind::Marc, nullptr);
        QTRY_COMPARE(boxes.texts().size(), 2);
        QVERIFY2(boxes.texts()[1].startsWith(QString::fromStdString(nowhere) +
                                             " contains an invalid path."),
                 qPrintable(boxes.texts()[1]));
        QCOMPARE(boxes.titles()[1], QString("qrn"));

        // A file with a second name is rewritten in place: it too stays whole.
        const std::string linked = tmp_.file("linked-keep.mrc");
        writeFileBytes(linked, old);
        QCOMPARE(::link(linked.c_str(), tmp_.file("linked-keep-2.mrc").c_str()), 0);
        {
            const FileSizeLimit limit(old.size());
            answers_.push_back(QString::fromStdString(linked));
            exportRecordToFile(doc, FileExportKind::Marc, nullptr);
        }
        QCOMPARE(QString::fromStdString(readFileBytes(linked)), QString::fromStdString(old));
        QTRY_COMPARE(boxes.texts().size(), 3);
    }

    // A second name of the file, a pipe and a device get the bytes; none of them
    // is replaced by a new plain file.
    void linksPipesAndDevicesAreWrittenInPlace() {
        Record r;
        DocumentCore& doc = select(*demo_, "Demo MARC", r);
        const std::string other = tmp_.file("other-name.mrc");
        writeFileBytes(tmp_.file("linked.mrc"), "old");
        QCOMPARE(::link(tmp_.file("linked.mrc").c_str(), other.c_str()), 0);
        QCOMPARE(exportTo(doc, FileExportKind::Marc, "linked.mrc"), r.rawData);
        QCOMPARE(readFileBytes(other), r.rawData);

        const std::string fifo = tmp_.file("pipe");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        const int readEnd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        QVERIFY(readEnd >= 0);
        std::string piped;
        std::thread reader([&] {
            char buffer[4096];
            for (int waits = 0; piped.size() < r.rawData.size() && waits < 10000;) {
                const ssize_t n = ::read(readEnd, buffer, sizeof buffer);
                if (n > 0) {
                    piped.append(buffer, static_cast<size_t>(n));
                } else {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    ++waits;
                }
            }
        });
        answers_.push_back(QString::fromStdString(fifo));
        exportRecordToFile(doc, FileExportKind::Marc, nullptr);
        reader.join();
        ::close(readEnd);
        QCOMPARE(piped, r.rawData);
        struct stat st {};
        QVERIFY(::stat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));

        // A file one may write in a folder one may not add to is written in place;
        // a read-only file is refused in the words for it. Root may do either, so
        // the export runs as nobody then.
        const bool root = ::geteuid() == 0;
        const std::string closed = tmp_.file("closed");
        QVERIFY(QDir().mkpath(QString::fromStdString(closed)));
        writeFileBytes(closed + "/open.mrc", "old");
        writeFileBytes(closed + "/read-only.mrc", "old");
        if (root) {
            QCOMPARE(::chmod(tmp_.path().c_str(), 0755), 0);
            QCOMPARE(::chown((closed + "/open.mrc").c_str(), kNobody, kNobody), 0);
            QCOMPARE(::chown((closed + "/read-only.mrc").c_str(), kNobody, kNobody), 0);
        }
        ::chmod((closed + "/read-only.mrc").c_str(), 0444);
        ::chmod(closed.c_str(), 0555);
        {
            MessageBoxCatcher boxes;
            std::string written, refused;
            {
                const AsNobody user(root);
                written = exportTo(doc, FileExportKind::Marc, "closed/open.mrc");
                refused = exportTo(doc, FileExportKind::Marc, "closed/read-only.mrc");
            }
            ::chmod(closed.c_str(), 0755);
            QCOMPARE(written, r.rawData);
            QCOMPARE(refused, std::string("old"));
            QTRY_COMPARE(boxes.texts().size(), 1);
            QVERIFY2(boxes.texts()[0].startsWith(QString::fromStdString(
                         "Access to " + closed + "/read-only.mrc was denied.")),
                     qPrintable(boxes.texts()[0]));
        }

        // A copy of /dev/null, where the system lets us make one.
        const std::string null = tmp_.file("null");
        if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
            MessageBoxCatcher boxes;
            answers_.push_back(QString::fromStdString(null));
            exportRecordToFile(doc, FileExportKind::Marc, nullptr);
            QVERIFY(::stat(null.c_str(), &st) == 0 && S_ISCHR(st.st_mode));
            QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join("\n")));
        }
    }

    void cleanupTestCase() {
        setFileChooser({});
        demo_.reset();
        ztestSearch_.reset();
    }
};

QTEST_MAIN(ExportFileTest)
#include "ExportFileTest.moc"
