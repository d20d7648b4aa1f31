// Races ThreadSanitizer reports in code it cannot see into. Read only by its
// runtime; other builds never call this.
//
// Boost.Regex hands matcher memory from one search to the next through a cache
// of atomics compiled into libboost_regex, which is not instrumented, so blocks
// reused by another worker look like unsynchronised writes.
extern "C" const char* __tsan_default_suppressions() {
    return "race:boost::re_detail_*::perl_matcher\n";
}
