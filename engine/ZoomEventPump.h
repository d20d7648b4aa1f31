// One step of a connection's event loop, like ZOOM_event for one connection,
// but waiting on the socket in short slices so that a stop request is seen
// within a slice instead of after the toolkit's whole timeout.
#pragma once

#include <yaz/zoom.h>

#include <functional>

enum class PumpResult { Event, Idle, Stopped };

// Worker thread owning the connection. Event: the toolkit processed an event
// (call again); Idle: the connection has no more work; Stopped: shouldStop
// answered true while waiting. shouldStop is asked at least every sliceMs.
PumpResult pumpZoomEvent(ZOOM_connection connection, const std::function<bool()>& shouldStop,
                         int sliceMs = 50);
