// The grouped list as text, one line a record, for tools and scripts.
#pragma once

#include <string>

class CopyGrouping;
class ResultStore;

// Any thread that owns grouping. Catches grouping up with the store, then one
// line per record: group number, TAB, reason key ("-" for a record alone),
// TAB, target name, TAB, brief title; a group's lines together, its best
// copy first, groups in order of their first record.
std::string copyGroupLines(const ResultStore& store, CopyGrouping& grouping);
