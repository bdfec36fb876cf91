# Cross build for 32-bit Windows with Debian's mingw-w64: the programs and their test suites, which
# CTest runs under Wine through scripts/wine-run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

# Libraries built for the target (PCRE2, built by scripts/setup) live in a prefix of their own. It is
# appended to the root path: a root path of the MinGW sysroot alone would hide it from every find.
if(NOT DEFINED ZEMB_WIN32_PREFIX)
  get_filename_component(ZEMB_WIN32_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build/win32-deps" ABSOLUTE)
endif()
set(ZEMB_WIN32_PREFIX "${ZEMB_WIN32_PREFIX}" CACHE PATH "Prefix of the libraries built for the Win32 target")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZEMB_WIN32_PREFIX)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 "${ZEMB_WIN32_PREFIX}")
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config answers for the target only.
set(ENV{PKG_CONFIG_LIBDIR} "${ZEMB_WIN32_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Every program is linked fully static, C++ runtime and threads library included, so that it needs
# no DLL beyond those of Windows itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs (and GoogleTest's test discovery) run under Wine.
get_filename_component(_zemb_wine_run "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_zemb_wine_run}")
