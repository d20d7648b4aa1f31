// A private X server for the window tests that need a real one (window
// activation, window-manager titles): Xvfb on a display number it picks
// itself, stopped by pid with the object.
#pragma once

#include <memory>
#include <string>

#include "ChildProcess.h"
#include "TestSupport.h"

class XvfbServer {
public:
    // Null, with the reason in whyNot, when Xvfb is not installed or did not
    // come up within a few seconds.
    static std::unique_ptr<XvfbServer> start(std::string& whyNot);

    // ":N", for DISPLAY.
    const std::string& display() const { return display_; }

private:
    XvfbServer() = default;

    TempDir dir_;
    std::unique_ptr<ChildProcess> process_;
    std::string display_;
};
