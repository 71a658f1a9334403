# Cross-compiles the same sources as a 64-bit Windows build, for running the Windows tests on a
# machine whose kernel runs no 32-bit code.
set(QUENBY_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
