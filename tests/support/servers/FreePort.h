// Ports on 127.0.0.1 for test servers. Fixed ports collide on a shared machine,
// so the kernel picks one.
#pragma once

// A port that was free a moment ago: bound with port 0 and closed again. Nothing
// listens there, so until somebody binds it a connection to it is refused.
// Throws std::runtime_error when no socket can be bound.
int pickFreePort();

// True when a TCP connection to 127.0.0.1:port is accepted right now.
bool acceptsConnections(int port);

// A listening socket on 127.0.0.1 at a port the kernel picks, which it stores
// in port. Throws std::runtime_error, naming what, when it cannot listen.
int listenOnLoopback(int& port, const char* what);

// A socket connected to 127.0.0.1:port; -1 when nobody accepts.
int connectToLoopback(int port);
