#include "xmlrecords/SaxParse.h"

#include <climits>
#include <cstring>

namespace {

struct ThreadParser {
    xmlParserCtxtPtr ctx = nullptr;
    ThreadParser() {
        xmlSAXHandler empty;
        std::memset(&empty, 0, sizeof empty);
        empty.initialized = XML_SAX2_MAGIC;
        ctx = xmlCreatePushParserCtxt(&empty, nullptr, nullptr, 0, nullptr);
    }
    ~ThreadParser() {
        if (ctx) xmlFreeParserCtxt(ctx);
    }
};

}  // namespace

bool saxParse(const std::string& xml, const xmlSAXHandler& handler, void* state) {
    thread_local ThreadParser parser;
    xmlParserCtxtPtr ctx = parser.ctx;
    if (!ctx || xml.size() > INT_MAX) return false;
    xmlCtxtResetPush(ctx, nullptr, 0, nullptr, nullptr);
    *ctx->sax = handler;
    xmlCtxtUseOptions(ctx,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
    ctx->_private = state;
    const int status = xmlParseChunk(ctx, xml.data(), static_cast<int>(xml.size()), 1);
    const bool whole = status == 0 && ctx->wellFormed && !ctx->disableSAX;
    ctx->_private = nullptr;
    return whole;
}

xmlSAXHandler saxHandler(startElementNsSAX2Func start, endElementNsSAX2Func end,
                         charactersSAXFunc characters) {
    xmlSAXHandler handler;
    std::memset(&handler, 0, sizeof handler);
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = start;
    handler.endElementNs = end;
    handler.characters = characters;
    return handler;
}
