# project()'s VERSION is the only version number: the programs, the About box,
# the man pages, the metainfo and the package all take it from here.
set_source_files_properties(${CMAKE_SOURCE_DIR}/base/Version.cpp
    PROPERTIES COMPILE_DEFINITIONS "QRN_VERSION=\"${PROJECT_VERSION}\"")
# The day this version was released, for the metainfo; set it with the number.
set(QRN_RELEASE_DATE 2026-12-07)
