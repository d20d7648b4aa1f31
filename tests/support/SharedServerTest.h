// A test suite sharing one real server among its tests: starting one is cheap,
// but not free. A suite whose server needs arguments starts it in its own
// SetUpTestSuite through start(). Suite, the deriving suite, keeps the server
// of each suite its own.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "ZebraServer.h"

template <typename Server, typename Suite>
class SharedServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        start([] { return std::make_unique<Server>(); });
    }
    static void TearDownTestSuite() { server_.reset(); }
    void SetUp() override { ASSERT_TRUE(server_) << "the server did not start: " << startError_; }

    // A server that does not come up fails each test of the suite, not the program.
    template <typename Make>
    static void start(Make make) {
        try {
            server_ = make();
        } catch (const std::exception& e) {
            startError_ = e.what();
        }
    }

    static std::unique_ptr<Server> server_;
    static std::string startError_;
};
// A suite sharing a Zebra that serves the demo catalogue's records.
template <typename Suite>
class DemoZebraTest : public SharedServerTest<ZebraServer, Suite> {
protected:
    static void SetUpTestSuite() {
        SharedServerTest<ZebraServer, Suite>::start(&ZebraServer::withDemoCorpus);
    }
};

template <typename Server, typename Suite>
std::unique_ptr<Server> SharedServerTest<Server, Suite>::server_;
template <typename Server, typename Suite>
std::string SharedServerTest<Server, Suite>::startError_;
