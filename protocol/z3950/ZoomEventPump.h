// One step of a connection's event loop, like ZOOM_event for one connection,
// but waiting on the socket in short slices so that a stop request is seen
// within a slice instead of after the toolkit's whole timeout.
#pragma once

#include <yaz/zoom.h>

#include <chrono>
#include <functional>

enum class PumpResult { Event, Idle, Stopped };

// Worker thread owning the connection. Event: the toolkit processed an event
// (call again); Idle: the connection has no more work; Stopped: shouldStop
// answered true while waiting. shouldStop is asked at least every sliceMs.
// At exchangeDeadline the connection times out as if no byte had come: the
// toolkit's own limit counts from the last byte, so a trickle never ends.
PumpResult pumpZoomEvent(
    ZOOM_connection connection, const std::function<bool()>& shouldStop, int sliceMs = 50,
    std::chrono::steady_clock::time_point exchangeDeadline = std::chrono::steady_clock::time_point::max());

// When an exchange starting now must have ended: a few times the connection's
// time limit, so a big answer on a slow link still arrives.
std::chrono::steady_clock::time_point zoomExchangeDeadline(ZOOM_connection connection);
