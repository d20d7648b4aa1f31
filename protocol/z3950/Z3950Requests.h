// The requests of a Z39.50 session as the toolkit's ZOOM sends them, built
// in out's memory. Pure: no connection, no state.
#pragma once

#include <yaz/odr.h>
#include <yaz/z-core.h>

#include <cstdint>
#include <string>

struct Z3950Options;

Z_APDU* initRequest(ODR out, const Z3950Options& options, bool proxied);
// nullptr when pqf does not parse or its terms cannot be put into the
// query character set.
Z_APDU* searchRequest(ODR out, const Z3950Options& options, const std::string& pqf,
                      int32_t withSearch);
Z_APDU* presentRequest(ODR out, const Z3950Options& options, int32_t first, int32_t count);
