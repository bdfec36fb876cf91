# The part of the MinGW-w64 cross builds that both targets share; cmake/mingw-i686.cmake and
# cmake/mingw-x86_64.cmake set ZEMB_MINGW_TARGET and include it. The programs and their test suites
# are built for Windows, and CTest runs them under Wine through scripts/wine-run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ZEMB_MINGW_TARGET})
set(CMAKE_C_COMPILER ${ZEMB_MINGW_TARGET}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEMB_MINGW_TARGET}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${ZEMB_MINGW_TARGET}-w64-mingw32-windres)

# Libraries built for the target (PCRE2, built by scripts/setup once per machine) live in a prefix
# of their own. It is appended to the root path: a root path of the MinGW sysroot alone would hide it
# from every find.
if(NOT DEFINED ZEMB_MINGW_PREFIX)
  if(DEFINED ENV{ZEMB_MINGW_DEPS})
    set(ZEMB_MINGW_PREFIX "$ENV{ZEMB_MINGW_DEPS}/${ZEMB_MINGW_TARGET}")
  else()
    set(ZEMB_MINGW_PREFIX "/opt/zembrel-mingw/${ZEMB_MINGW_TARGET}")
  endif()
endif()
set(ZEMB_MINGW_PREFIX "${ZEMB_MINGW_PREFIX}" CACHE PATH "Prefix of the libraries built for the Windows target")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZEMB_MINGW_PREFIX)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZEMB_MINGW_TARGET}-w64-mingw32 "${ZEMB_MINGW_PREFIX}")
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Qt 6 for the target (scripts/setup-qt-mingw builds it once per machine, for x86_64): where
# ZEMB_QT_MINGW names its prefix, the wizard and its suites are built for Windows too. Its host tools
# (moc, rcc, uic) are Debian's Qt 6 of the same version.
if(DEFINED ZEMB_QT_MINGW AND NOT ZEMB_QT_MINGW STREQUAL "")
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZEMB_QT_MINGW)
  list(APPEND CMAKE_FIND_ROOT_PATH "${ZEMB_QT_MINGW}")
  list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake)
endif()
# pkg-config answers for the target only.
set(ENV{PKG_CONFIG_LIBDIR} "${ZEMB_MINGW_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Every program is linked fully static, C++ runtime and threads library included, so that it needs
# no DLL beyond those of Windows itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs (and GoogleTest's test discovery) run under Wine; scripts/wine-run takes the loader
# and the Wine prefix that fit the program (wine64 for 64-bit programs, wine for 32-bit ones).
get_filename_component(_zemb_wine_run "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_zemb_wine_run}")
