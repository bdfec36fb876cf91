# Cross build for 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686): the programs and
# their test suites, which CTest runs under 32-bit Wine.
set(ZEMB_MINGW_TARGET i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
