// How a Z39.50 connection asks for a search's records: the search answer
// brings only the first one, so it is listed one round trip after the query
// went out (a few more in that answer cost a server more time than the round
// trip they save), and the rest come in slices, so neither side
// builds one message of tens of thousands of records and the client never
// holds such a message beside the records made from it.
#pragma once

#include <cstdint>

// Records in the search answer, and in each later request.
constexpr int32_t kFirstRecords = 1;
constexpr int32_t kRecordsPerSlice = 1000;
