// scripts/demo-catalogue, run as a user would, in a private data folder and on a
// free port so that it cannot meet a real demo catalogue.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>

#include "ChildProcess.h"
#include "FreePort.h"
#include "TestSupport.h"
#include "ZoomSearch.h"
#include "probe/TargetProbe.h"
#include "targets/Target.h"

namespace {

class DemoCatalogue {
public:
    DemoCatalogue() : port_(pickFreePort()) {}
    // The server outlives the script that started it: never leave one running.
    ~DemoCatalogue() {
        run("stop");
        const pid_t left = pid();
        if (left > 0) kill(left, SIGKILL);
    }

    // The script's exit status.
    int run(const std::string& command) {
        ChildProcess script(
            {"env", "XDG_DATA_HOME=" + home_.path(), "QRN_DEMO_PORT=" + std::to_string(port_), "sh",
             sourcePath("scripts/demo-catalogue"), command},
            home_.path(), home_.file("script.log"));
        return script.wait(120 * 1000);
    }
    pid_t pid() const {
        const std::string text = readFileBytes(workFile("zebrasrv.pid"));
        return text.empty() ? -1 : static_cast<pid_t>(std::stol(text));
    }
    std::string workFile(const std::string& name) const {
        return home_.path() + "/qrn/demo-catalogue/" + name;
    }
    std::string zurl() const { return "127.0.0.1:" + std::to_string(port_) + "/demo"; }
    int port() const { return port_; }
    std::string output() const { return readFileBytes(home_.file("script.log")); }

private:
    TempDir home_;
    int port_;
};

}  // namespace

TEST(DemoCatalogueTest, StartsOnceServesTheDemoAndStops) {
    DemoCatalogue demo;
    EXPECT_EQ(demo.run("status"), 3);
    ASSERT_EQ(demo.run("start"), 0) << demo.output();
    const pid_t pid = demo.pid();
    EXPECT_GT(pid, 0);
    EXPECT_EQ(zoomSearch(demo.zurl(), "@attr 1=4 lighthouse").hits, 100);
    Target sru;
    sru.zurl = "http://127.0.0.1:" + std::to_string(demo.port()) + "/demo";
    const ProbeReport explain = probeTarget(sru, 5);
    EXPECT_TRUE(explain.ok) << explain.text;
    EXPECT_EQ(demo.run("status"), 0);

    EXPECT_EQ(demo.run("start"), 0);  // already running: left alone
    EXPECT_EQ(demo.pid(), pid);

    EXPECT_EQ(demo.run("stop"), 0) << demo.output();
    EXPECT_EQ(demo.run("status"), 3);
    EXPECT_FALSE(acceptsConnections(demo.port()));

    // A second start reuses the register instead of indexing again.
    ASSERT_EQ(demo.run("start"), 0) << demo.output();
    const std::string out = demo.output();
    ASSERT_NE(out.find("Indexing"), std::string::npos);
    EXPECT_EQ(out.find("Indexing"), out.rfind("Indexing")) << out;
    EXPECT_EQ(zoomSearch(demo.zurl(), "@attr 1=1003 kowalczyk").hits, 10);
}

TEST(DemoCatalogueTest, RejectsUnknownCommands) {
    DemoCatalogue demo;
    EXPECT_EQ(demo.run("restart"), 2);
    EXPECT_EQ(demo.run(""), 2);
}
