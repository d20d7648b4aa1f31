// Records sent into a catalogue by Extended Services Update, on a ZOOM
// connection of its own (the search session speaks no Extended Services).
// Worker thread that owns it only.
#pragma once

#include <yaz/zoom.h>

#include <functional>
#include <string>

#include "protocol/TargetConnection.h"
#include "protocol/z3950/Z3950Session.h"

class Z3950Update {
public:
    // options: the target's address, login, proxy and time limit.
    Z3950Update(const Z3950Options& options, std::function<bool()> shouldStop);
    ~Z3950Update();
    Z3950Update(const Z3950Update&) = delete;
    Z3950Update& operator=(const Z3950Update&) = delete;

    // Sends the record, then a commit for catalogues that keep changes aside
    // until told; connects on first use.
    UpdateOutcome send(const std::string& iso2709, UpdateAction action);

private:
    // Runs the connection's events until idle; false when stopped.
    bool pump();
    bool connect(UpdateOutcome& outcome);
    // Sends one package of type; false with outcome set when it was not taken.
    bool sendPackage(const char* type, const std::string& iso2709, UpdateAction action,
                     UpdateOutcome& outcome);

    Z3950Options options_;
    std::function<bool()> shouldStop_;
    ZOOM_options zoomOptions_ = nullptr;
    ZOOM_connection connection_ = nullptr;
    bool connected_ = false;
};
