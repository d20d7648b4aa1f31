// The program's version. Its one number is project()'s VERSION in the top
// CMakeLists.txt; only Version.cpp is built with it, so a new number rebuilds
// one file.
#pragma once

// "1.3"
const char* qrnVersion();
