#include "protocol/z3950/ZoomInit.h"

#include <yaz/log.h>
#include <yaz/zoom.h>

#include <mutex>

void initializeZoom() {
    static std::once_flag once;
    std::call_once(once, [] {
        // The toolkit's log lines ("[warn] yaz_url: cs_put fail") would reach
        // standard error beside the program's messages, while each failure they
        // tell of is the target's status already. Not a log handler: with one
        // installed, the toolkit crashed logging a failed address.
        yaz_log_init_level(YLOG_FATAL);
        ZOOM_options options = ZOOM_options_create();
        ZOOM_options_set(options, "async", "1");
        ZOOM_connection connection = ZOOM_connection_create(options);
        ZOOM_query query = ZOOM_query_create();
        ZOOM_query_prefix(query, "x");
        // Asynchronous and never pumped: nothing goes on the network.
        ZOOM_resultset set = ZOOM_connection_search(connection, query);
        ZOOM_resultset_destroy(set);
        ZOOM_query_destroy(query);
        ZOOM_connection_destroy(connection);
        ZOOM_options_destroy(options);
    });
}
