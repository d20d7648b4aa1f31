// Targets reached through a profile's proxy: SRU requests go in absolute
// form to an HTTP proxy, and a proxy's password shows in no error text.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "FreePort.h"
#include "HttpFront.h"
#include "MarcCorpus.h"
#include "SearchHarness.h"
#include "search/SearchTexts.h"
#include "targets/ProxyPassword.h"
#include "targets/Target.h"

namespace {
class ProxyTest : public SearchServersTest {};
}  // namespace

TEST_F(ProxyTest, SruGoesThroughTheProfilesProxy) {
    std::mutex mutex;
    std::vector<std::string> lines;
    const int zebraPort = zebra_->port();
    const std::string origin = "http://127.0.0.1:" + std::to_string(zebraPort);
    HttpFront proxy([&](const std::string& head) {
        const std::string line = head.substr(0, head.find('\r'));
        {
            std::lock_guard<std::mutex> lock(mutex);
            lines.push_back(line);
        }
        // A proxy passes on what it is asked for in origin form.
        if (line.compare(4, origin.size(), origin) != 0)
            return HttpFront::response("400 Bad Request", "text/plain", "no");
        return HttpFront::forward("GET " + head.substr(4 + origin.size()), zebraPort);
    });
    SearchHarness h(searchSettings());
    Target& t = h.addTarget("Proxied", zebra_->sruUrl(), "marcxml", "");
    t.profile.proxy = "http://127.0.0.1:" + std::to_string(proxy.port());
    h.start(std::string("@attr 1=4 ") + MarcCorpus::kTitleWord20);
    ASSERT_TRUE(h.drain());
    EXPECT_EQ(targetStatusText(t), "Proxied (20)") << t.search.lastError();
    std::lock_guard<std::mutex> lock(mutex);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().find("GET " + origin + "/Default?"), 0u) << lines.front();
}

TEST_F(ProxyTest, NoErrorShowsTheProxysPassword) {
    const std::string free = "127.0.0.1:" + std::to_string(pickFreePort());
    SearchHarness h(searchSettings());
    Target& scheme = h.addTarget("Scheme", zebra_->sruUrl(), "marcxml", "");
    scheme.profile.proxy = "socks9://me:s3cr@t@" + free;
    Target& syntax = h.addTarget("Syntax", zebra_->sruUrl(), "marcxml", "");
    syntax.profile.proxy = "http://me:s3cr@t@127.0.0.1:99999";
    Target& z = h.addTarget("Z", zebra_->zurl("Default"));
    z.profile.proxy = "me:s3cr@t@" + free;
    h.start("@attr 1=4 x");
    ASSERT_TRUE(h.drain());
    for (const Target* t : {&scheme, &syntax, &z}) {
        EXPECT_EQ(targetStatusText(*t), t->name + " (Error)");
        EXPECT_EQ(t->search.lastError().find("s3cr"), std::string::npos) << t->search.lastError();
    }
    EXPECT_NE(scheme.search.lastError().find("socks9://me:****@"), std::string::npos)
        << scheme.search.lastError();
}

TEST(ProxyPasswordTest, OnlyThePasswordIsHidden) {
    EXPECT_EQ(withoutProxyPassword("bad 'http://me:pw@h:1' and me:pw@h", "http://me:pw@h:1"),
              "bad 'http://me:****@h:1' and me:****@h");
    // No password, or none in the text: nothing changes.
    EXPECT_EQ(withoutProxyPassword("at me@h:1", "me@h:1"), "at me@h:1");
    EXPECT_EQ(withoutProxyPassword("h:1 refused", "h:1"), "h:1 refused");
}
