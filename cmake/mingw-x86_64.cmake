# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64): the programs and
# their test suites, which CTest runs under wine64.
set(ZEMB_MINGW_TARGET x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
