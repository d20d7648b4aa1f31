// Texts of the grouped list's rows that depend on where a copy stands.
#pragma once

#include <string>
#include <vector>

// A group row's Database cell: its targets, the best copy's first, each
// once; their count when there are too many to read in a column.
std::string groupTargetsText(const std::vector<std::string>& targetsBestFirst);

// The Copies cell: the group's count on its own row, the best copy marked
// among the copies, nothing on the others.
std::string copyLineCopiesText(bool groupRow, bool bestCopy, const std::string& groupCopies);
