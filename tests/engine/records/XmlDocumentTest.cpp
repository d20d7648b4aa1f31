#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <thread>

#include "CollectedMessages.h"
#include "TestSupport.h"
#include "xml/XmlDocument.h"

namespace {

const char* const kStylesheetOpen =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>";

std::string stylesheet(const std::string& body) {
    return kStylesheetOpen + body + "</xsl:stylesheet>";
}

// A socket on 127.0.0.1 that listens but never accepts on its own, to see
// whether anybody tried to connect.
class ListeningSocket {
public:
    ListeningSocket() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(fd_, 4) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
        port_ = ntohs(address.sin_port);
    }
    ~ListeningSocket() { close(fd_); }

    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    bool wasContacted() const {
        int client = accept(fd_, nullptr, nullptr);
        if (client < 0) return false;
        close(client);
        return true;
    }

private:
    int fd_ = -1;
    int port_ = 0;
};

std::string recordText() { return readFileBytes(sourcePath("tests/data/xml/marcxml-1.xml")); }

}  // namespace

TEST(XmlDocumentTest, TransformsWithIncludedStylesheetAndHonoursOutput) {
    TempDir dir;
    // The include is found beside the stylesheet whatever the folder is called.
    const std::string folder = dir.file("odd #name %41");
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    // Stylesheets commonly name characters by internal entities.
    writeFileBytes(folder + "/common.xsl",
                   "<!DOCTYPE xsl:stylesheet [<!ENTITY sep '&#160;|'>]>" +
                       stylesheet("<xsl:template name='title'>&sep;"
                                  "<xsl:value-of select=\"//*[@tag='245']/*[@code='a']\"/>"
                                  "</xsl:template>"));
    writeFileBytes(folder + "/page.xsl",
                   stylesheet("<xsl:include href='common.xsl'/>"
                              "<xsl:output method='text' encoding='UTF-8'/>"
                              "<xsl:template match='/'>T=<xsl:call-template name='title'/>"
                              "</xsl:template>"));
    CollectedMessages messages;
    std::string result = "old";
    ASSERT_TRUE(transformXml(recordText(), folder + "/page.xsl", result));
    EXPECT_EQ(result, "T=\xC2\xA0|Annual report :");
    EXPECT_TRUE(messages.texts().empty());

    // The text output method writes no XML declaration; html writes markup.
    writeFileBytes(dir.file("html.xsl"),
                   stylesheet("<xsl:output method='html'/><xsl:template match='/'>"
                              "<p><xsl:value-of select=\"//*[@tag='260']/*[@code='c']\"/></p>"
                              "</xsl:template>"));
    ASSERT_TRUE(transformXml(recordText(), dir.file("html.xsl"), result));
    EXPECT_EQ(result, "<p>c1999.</p>\n");
}

TEST(XmlDocumentTest, ResultMayBeTheInputString) {
    TempDir dir;
    writeFileBytes(dir.file("count.xsl"),
                   stylesheet("<xsl:output method='text'/><xsl:template match='/'>"
                              "<xsl:value-of select='count(//*)'/></xsl:template>"));
    std::string text = "<a><b/><c/></a>";
    ASSERT_TRUE(transformXml(text, dir.file("count.xsl"), text));
    EXPECT_EQ(text, "3");
}

TEST(XmlDocumentTest, FailuresShowOneMessageAndKeepTheResult) {
    TempDir dir;
    writeFileBytes(dir.file("ok.xsl"), stylesheet("<xsl:template match='/'>x</xsl:template>"));
    writeFileBytes(dir.file("notxslt.xsl"), "<html><body/></html>");
    writeFileBytes(dir.file("stop.xsl"),
                   stylesheet("<xsl:template match='/'>"
                              "<xsl:message terminate='yes'>gave up here</xsl:message>"
                              "</xsl:template>"));
    struct Case {
        std::string xml, stylesheet, messageStart, descriptionPart;
    } cases[] = {
        {"<a><b></a>", dir.file("ok.xsl"), "_com_error: The document to transform is empty   ",
         "line 1"},
        {"<a/>", dir.file("missing.xsl"), "_com_error: The stylesheet document is empty   ",
         "missing.xsl"},
        {"<a/>", dir.file("notxslt.xsl"), "_com_error: The stylesheet could not be compiled   ",
         ""},
        {"<a/>", dir.file("stop.xsl"), "_com_error: The transformation failed   ", "gave up here"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.messageStart);
        CollectedMessages messages;
        std::string result = "unchanged";
        EXPECT_FALSE(transformXml(c.xml, c.stylesheet, result));
        EXPECT_EQ(result, "unchanged");
        auto texts = messages.texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].rfind(c.messageStart, 0), 0u) << texts[0];
        EXPECT_NE(texts[0].find(c.descriptionPart), std::string::npos) << texts[0];
    }

    // Empty record text is not an error: nothing is shown.
    CollectedMessages messages;
    std::string result = "unchanged";
    EXPECT_FALSE(transformXml("", dir.file("ok.xsl"), result));
    EXPECT_EQ(result, "unchanged");
    EXPECT_TRUE(messages.texts().empty());
}

TEST(XmlDocumentTest, FailureTextByKindOfException) {
    auto textOf = [](auto exception) { return xmlFailureText(std::make_exception_ptr(exception)); };
    EXPECT_EQ(textOf(XmlError("Loading failed", "line 3: bad")),
              "_com_error: Loading failed   line 3: bad");
    EXPECT_EQ(textOf(std::runtime_error("out of handles")), "out of handles");
    EXPECT_EQ(textOf(42), "Undefined Error");
}

TEST(XmlDocumentTest, SelectsFirstNodeInDocumentOrder) {
    XmlDocument doc;
    doc.loadXml("<r><a n='1'>first\n   line</a><b>  second <i>part</i>  </b><a n='2'>x</a></r>");
    ASSERT_EQ(doc.parseErrorCode(), 0);
    // A union is ordered by position in the document, not by its operands.
    EXPECT_EQ(doc.selectSingleNodeText("//b | //a"), "first line");
    EXPECT_EQ(doc.selectSingleNodeText("//b"), "second part");
    EXPECT_EQ(doc.selectSingleNodeText("//a[2]/@n"), "2");
    EXPECT_EQ(doc.selectSingleNodeText("//missing"), std::nullopt);
    EXPECT_THROW(doc.selectSingleNodeText("//a["), XmlError);
    EXPECT_THROW(doc.selectSingleNodeText("count(//a)"), XmlError);
    EXPECT_THROW(doc.selectSingleNodeText("//dc:title"), XmlError);
}

TEST(XmlDocumentTest, ParseErrorsAreKeptNotThrown) {
    XmlDocument doc;
    doc.loadXml("<a><b></a>");
    EXPECT_NE(doc.parseErrorCode(), 0);
    EXPECT_NE(doc.parseErrorReason().find("line 1"), std::string::npos);
    EXPECT_EQ(doc.selectSingleNodeText("//a"), std::nullopt);
    doc.loadXml("");
    EXPECT_NE(doc.parseErrorCode(), 0);
    // An undeclared prefix is a namespace error only: the tree is still built.
    doc.loadXml("<dc><dc:title>T</dc:title></dc>");
    EXPECT_EQ(doc.parseErrorCode(), 0);
    EXPECT_EQ(doc.selectSingleNodeText("//*[name()='dc:title']"), "T");
}

TEST(XmlDocumentTest, EntityExpansionIsRefused) {
    std::string entities = "<!ENTITY a0 'lol'>";
    for (int i = 1; i <= 10; ++i)
        entities += "<!ENTITY a" + std::to_string(i) + " '" + [&] {
            std::string refs;
            for (int k = 0; k < 10; ++k) refs += "&a" + std::to_string(i - 1) + ";";
            return refs;
        }() + "'>";
    for (const std::string body : {"<r>&a10;</r>", "<r v='&a10;'/>"}) {
        XmlDocument doc;
        doc.loadXml("<?xml version='1.0'?><!DOCTYPE r [" + entities + "]>" + body);
        EXPECT_NE(doc.parseErrorCode(), 0) << body;
    }
}

TEST(XmlDocumentTest, ExternalEntitiesAndDtdsAreNotRead) {
    TempDir dir;
    writeFileBytes(dir.file("secret.txt"), "SECRET-CONTENT");
    writeFileBytes(dir.file("defs.dtd"),
                   "<!ENTITY leak 'SECRET-CONTENT'><!ATTLIST r v CDATA 'SECRET-CONTENT'>");
    const std::string secretUrl = "file://" + dir.file("secret.txt");
    const std::string dtdUrl = "file://" + dir.file("defs.dtd");
    const std::string records[] = {
        "<!DOCTYPE r [<!ENTITY x SYSTEM '" + secretUrl + "'>]><r>&x;</r>",
        "<!DOCTYPE r [<!ENTITY % p SYSTEM '" + dtdUrl + "'> %p;]><r>&leak;</r>",
        "<!DOCTYPE r SYSTEM '" + dtdUrl + "'><r/>",
        "<!DOCTYPE r [<!ENTITY x SYSTEM 'file:///etc/passwd'>]><r>&x;</r>",
    };
    writeFileBytes(dir.file("copy.xsl"),
                   stylesheet("<xsl:output method='xml'/>"
                              "<xsl:template match='/'><out v='{r/@v}'>"
                              "<xsl:value-of select='r'/></out></xsl:template>"));
    CollectedMessages messages;
    for (const std::string& record : records) {
        SCOPED_TRACE(record);
        XmlDocument doc;
        doc.loadXml(record);
        if (doc.parseErrorCode() == 0) {
            EXPECT_EQ(doc.selectSingleNodeText("/r"), "");
            EXPECT_EQ(doc.selectSingleNodeText("/r/@v"), std::nullopt);
        }
        std::string result;
        transformXml(record, dir.file("copy.xsl"), result);
        EXPECT_EQ(result.find("SECRET"), std::string::npos) << result;
        EXPECT_EQ(result.find("root:"), std::string::npos) << result;
    }
}

TEST(XmlDocumentTest, DocumentsPulledInByStylesheetsAreParsedSafely) {
    TempDir dir;
    writeFileBytes(dir.file("secret.txt"), "SECRET-CONTENT");
    writeFileBytes(dir.file("evil.xml"), "<!DOCTYPE e [<!ENTITY x SYSTEM 'file://" +
                                             dir.file("secret.txt") + "'>]><e>&x;</e>");
    writeFileBytes(dir.file("read.xsl"),
                   stylesheet("<xsl:output method='text'/><xsl:template match='/'>["
                              "<xsl:value-of select=\"document('evil.xml')/e\"/>]"
                              "</xsl:template>"));
    CollectedMessages messages;
    std::string result;
    ASSERT_TRUE(transformXml("<a/>", dir.file("read.xsl"), result));
    EXPECT_EQ(result, "[]");

    // Stylesheets get internal entities substituted, never external ones.
    const std::string secretEntity =
        "<!DOCTYPE xsl:stylesheet [<!ENTITY x SYSTEM 'file://" + dir.file("secret.txt") + "'>]>";
    writeFileBytes(dir.file("evil.xsl"),
                   secretEntity + stylesheet("<xsl:template match='/'>&x;</xsl:template>"));
    writeFileBytes(dir.file("imports-evil.xsl"), stylesheet("<xsl:import href='evil.xsl'/>"));
    for (const char* name : {"evil.xsl", "imports-evil.xsl"}) {
        result.clear();
        transformXml("<a/>", dir.file(name), result);
        EXPECT_EQ(result.find("SECRET"), std::string::npos) << name;
    }
    for (const std::string& text : messages.texts())
        EXPECT_EQ(text.find("SECRET"), std::string::npos) << text;
}

TEST(XmlDocumentTest, StylesheetsCannotReachTheNetwork) {
    ListeningSocket server;
    TempDir dir;
    writeFileBytes(dir.file("fetch.xsl"),
                   stylesheet("<xsl:template match='/'><xsl:copy-of select=\"document('" +
                              server.url("/data.xml") + "')\"/></xsl:template>"));
    writeFileBytes(dir.file("import.xsl"),
                   stylesheet("<xsl:import href='" + server.url("/other.xsl") +
                              "'/><xsl:template match='/'>x</xsl:template>"));
    CollectedMessages messages;
    for (const char* name : {"fetch.xsl", "import.xsl"}) {
        std::string result;
        transformXml("<a/>", dir.file(name), result);
        EXPECT_FALSE(server.wasContacted()) << name;
    }
}

TEST(XmlDocumentTest, StylesheetsCannotWriteFiles) {
    TempDir dir;
    const std::string written = dir.file("written.html");
    const std::string nested = dir.file("newdir/written.html");
    writeFileBytes(dir.file("write.xsl"),
                   "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
                   "xmlns:exsl='http://exslt.org/common' extension-element-prefixes='exsl'>"
                   "<xsl:template match='/'>"
                   "<exsl:document href='" +
                       written +
                       "'><x/></exsl:document>"
                       "<exsl:document href='" +
                       nested +
                       "'><x/></exsl:document>"
                       "</xsl:template></xsl:stylesheet>");
    writeFileBytes(dir.file("write11.xsl"),
                   "<xsl:stylesheet version='1.1' "
                   "xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                   "<xsl:template match='/'><xsl:document href='" +
                       written + "'><x/></xsl:document></xsl:template></xsl:stylesheet>");
    CollectedMessages messages;
    for (const char* name : {"write.xsl", "write11.xsl"}) {
        std::string result = "unchanged";
        EXPECT_FALSE(transformXml("<a/>", dir.file(name), result)) << name;
        EXPECT_FALSE(std::filesystem::exists(written)) << name;
        EXPECT_FALSE(std::filesystem::exists(dir.file("newdir"))) << name;
    }
    EXPECT_EQ(messages.texts().size(), 2u);
}

TEST(XmlDocumentTest, EachThreadGetsItsOwnErrors) {
    TempDir dir;
    constexpr int kThreads = 4;
    for (int t = 0; t < kThreads; ++t)
        writeFileBytes(dir.file("stop" + std::to_string(t) + ".xsl"),
                       stylesheet("<xsl:template match='/'><xsl:message terminate='yes'>"
                                  "stopped-by-" +
                                  std::to_string(t) + "</xsl:message></xsl:template>"));
    std::vector<std::string> failures(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const std::string mine = std::to_string(t);
            for (int i = 0; i < 25; ++i) {
                XmlDocument bad;
                bad.loadXml("<thread" + mine + "><open></thread" + mine + ">");
                XmlDocument source;
                source.loadXml("<a/>");
                XmlDocument sheet;
                sheet.load(dir.file("stop" + mine + ".xsl"));
                std::string description;
                try {
                    source.transformNode(sheet);
                } catch (const XmlError& e) {
                    description = e.description();
                }
                for (int other = 0; other < kThreads; ++other) {
                    const std::string o = std::to_string(other);
                    bool ownParse = bad.parseErrorReason().find("thread" + o) != std::string::npos;
                    bool ownStop = description.find("stopped-by-" + o) != std::string::npos;
                    if (ownParse != (other == t) || ownStop != (other == t)) {
                        failures[t] = bad.parseErrorReason() + " | " + description;
                        return;
                    }
                }
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(failures[t], "") << "thread " << t;
}
