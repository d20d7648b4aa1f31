#include "protocol/z3950/ZoomEventPump.h"

#include <poll.h>

#include <cerrno>
#include <chrono>

namespace {
const int kWholeExchangeFactor = 5;
}

std::chrono::steady_clock::time_point zoomExchangeDeadline(ZOOM_connection connection) {
    const int seconds = ZOOM_connection_get_timeout(connection);
    if (seconds <= 0) return std::chrono::steady_clock::time_point::max();
    return std::chrono::steady_clock::now() + std::chrono::seconds(kWholeExchangeFactor * seconds);
}

PumpResult pumpZoomEvent(ZOOM_connection connection, const std::function<bool()>& shouldStop,
                         int sliceMs, std::chrono::steady_clock::time_point exchangeDeadline) {
    if (ZOOM_connection_process(connection)) return PumpResult::Event;

    const int fd = ZOOM_connection_get_socket(connection);
    const int mask = ZOOM_connection_get_mask(connection);
    if (fd >= 0 && mask != 0) {
        const int timeoutSeconds = ZOOM_connection_get_timeout(connection);
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds < 0 ? 0 : timeoutSeconds);
        pollfd p{};
        p.fd = fd;
        if (mask & ZOOM_SELECT_READ) p.events |= POLLIN;
        if (mask & ZOOM_SELECT_WRITE) p.events |= POLLOUT;
        if (mask & ZOOM_SELECT_EXCEPT) p.events |= POLLPRI;
        for (;;) {
            if (shouldStop()) return PumpResult::Stopped;
            if (std::chrono::steady_clock::now() >= exchangeDeadline) {
                ZOOM_connection_fire_event_timeout(connection);
                break;
            }
            p.revents = 0;
            const int r = poll(&p, 1, sliceMs);
            if (r < 0) {
                if (errno == EINTR) continue;
                break;  // the toolkit's own loop gives up here too
            }
            if (r > 0) {
                int fired = 0;
                if (p.revents & POLLIN) fired |= ZOOM_SELECT_READ;
                if (p.revents & POLLOUT) fired |= ZOOM_SELECT_WRITE;
                if (p.revents & ~(POLLIN | POLLOUT)) fired |= ZOOM_SELECT_EXCEPT;
                ZOOM_connection_fire_event_socket(connection, fired);
                break;
            }
            if (timeoutSeconds >= 0 && std::chrono::steady_clock::now() >= deadline) {
                ZOOM_connection_fire_event_timeout(connection);
                break;
            }
        }
    }
    return ZOOM_connection_process(connection) ? PumpResult::Event : PumpResult::Idle;
}
