// One streaming (SAX2) parse of a text with the given handler, on a parser
// kept per thread: making a parser costs more than reading a small record.
#pragma once

#include <libxml/parser.h>

#include <string>

// A SAX2 handler with only these three callbacks set.
xmlSAXHandler saxHandler(startElementNsSAX2Func start, endElementNsSAX2Func end,
                         charactersSAXFunc characters);

// Any thread. The callbacks find state in static_cast<xmlParserCtxtPtr>(ctx)->_private
// and may stop the parser. True when the text was read to its end, well formed.
bool saxParse(const std::string& xml, const xmlSAXHandler& handler, void* state);
