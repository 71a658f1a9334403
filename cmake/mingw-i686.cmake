# Cross-compiles the 32-bit Windows build, the one that ships.
set(QUENBY_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
