# Saves a PNG of every page of the wizard on the Visual Studio route and the VxWorks routes, run
# against the example installation (examples/installation), so that reviewers can look at every
# page, and beside each a text record of what the page holds (its checked buttons, texts and enabled
# controls); the tour fails when a page does not show a text or control whole.
#
#   cmake [-DPLATFORM=offscreen|xcb] -DLINUX=<Linux build> [-DOUT=<folder>] -P tests/e2e/WizardTour.cmake
#                                                         (default: build/screenshots)
#   cmake -DLINUX=<Linux build> -DWINDOWS=<Windows build> [-DOUT=<folder>] -P tests/e2e/WizardTour.cmake
#                                                         (default: build/screenshots-windows)
#
# The Linux tour is the wizard_screenshots program of the Linux build, built here. It draws on Qt's
# offscreen platform, or with PLATFORM=xcb on an X server from xvfb-run. With WINDOWS the wizard of
# the 64-bit Windows build (built with Qt for MinGW, scripts/test builds it) draws with Qt's Windows
# platform plugin under wine64 on an X server from xvfb-run, the installation placed on drive C: and
# in the registry of a Wine prefix of its own; then the Linux tour runs too, and the Windows tour
# fails when a page holds anything else than the same page of the Linux tour.
cmake_minimum_required(VERSION 3.25)
if("${TOP}" STREQUAL "")
  get_filename_component(TOP "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
endif()
include("${CMAKE_CURRENT_LIST_DIR}/WineRuns.cmake")

set(usage "usage: cmake [-DPLATFORM=offscreen|xcb | -DWINDOWS=<Windows build>] -DLINUX=<Linux build> [-DOUT=<folder>] -P ${CMAKE_CURRENT_LIST_FILE}")
# -DLINUX is read from the cache: CMake's own variable LINUX (true on Linux) hides it.
set(linux "$CACHE{LINUX}")
if(linux STREQUAL "")
  message(FATAL_ERROR "${usage}")
endif()
get_filename_component(linux "${linux}" ABSOLUTE)
set(installation "${TOP}/examples/installation")

# make_temporary(<variable> <name>): a new folder for this run, below TMPDIR or /tmp.
function(make_temporary variable name)
  set(temp "$ENV{TMPDIR}")
  if(NOT temp)
    set(temp /tmp)
  endif()
  string(RANDOM LENGTH 10 suffix)
  set(folder "${temp}/${name}.${suffix}")
  file(MAKE_DIRECTORY "${folder}")
  set(${variable} "${folder}" PARENT_SCOPE)
endfunction()

# linux_tour(<output folder> <Qt platform> <variable> [QUIET]): the Linux tour, on a copy of the
# example installation; the variable is left empty, or says why the tour failed. QUIET leaves out
# what the tour prints on standard output.
function(linux_tour tour_out qpa reason)
  set(${reason} "" PARENT_SCOPE)
  zemb_run(COMMAND ${CMAKE_COMMAND} --build "${linux}" -j2 --target wizard_screenshots OUTPUT built RESULT status)
  if(NOT status STREQUAL "0")
    message("${built}")
    set(${reason} "building wizard_screenshots in ${linux} ended with ${status}" PARENT_SCOPE)
    return()
  endif()

  make_temporary(work wizard-tour)
  file(COPY "${installation}/" DESTINATION "${work}")
  file(REMOVE_RECURSE "${tour_out}")
  file(MAKE_DIRECTORY "${tour_out}")
  set(tour "${linux}/tests/configurator/wizard/wizard_screenshots")
  set(command ${CMAKE_COMMAND} -E env "ZEMBRELCONF_REGISTRY=${work}/zembrel.reg" "ZEMBRELCONF_DRIVES=${work}/drives"
    QT_QPA_PLATFORM=${qpa})
  if(qpa STREQUAL "xcb")
    list(APPEND command xvfb-run -a -s "-screen 0 1024x768x24")
  endif()
  set(quiet)
  if("QUIET" IN_LIST ARGN)
    set(quiet OUTPUT printed)
  endif()
  zemb_run(COMMAND ${command} "${tour}" "${tour_out}" ${quiet} RESULT status)
  file(REMOVE_RECURSE "${work}")
  if(NOT status STREQUAL "0")
    set(${reason} "the Linux tour (${tour}) ended with ${status}" PARENT_SCOPE)
  endif()
endfunction()

if("${WINDOWS}" STREQUAL "")
  if("${PLATFORM}" STREQUAL "")
    set(PLATFORM offscreen)
  elseif(NOT PLATFORM MATCHES "^(offscreen|xcb)$")
    message(FATAL_ERROR "${usage}")
  endif()
  if("${OUT}" STREQUAL "")
    set(OUT "${TOP}/build/screenshots")
  endif()
  get_filename_component(out "${OUT}" ABSOLUTE)
  linux_tour("${out}" "${PLATFORM}" failure)
  if(failure)
    zemb_fail("${failure}")
  endif()
  return()
endif()

if(NOT "${PLATFORM}" STREQUAL "")
  zemb_fail("PLATFORM names the platform of the Linux tour alone (the one compared with the Windows tour is drawn offscreen)")
endif()
get_filename_component(windows "${WINDOWS}" ABSOLUTE)
if("${OUT}" STREQUAL "")
  set(OUT "${TOP}/build/screenshots-windows")
endif()
get_filename_component(out "${OUT}" ABSOLUTE)
set(tour "${windows}/tests/configurator/wizard/wizard_screenshots.exe")
zemb_expect_file("${tour}" "${tour} is not built (a Windows build with the wizard: scripts/test makes one)")
file(STRINGS "${windows}/CMakeCache.txt" qt_dir REGEX "^Qt6Core_DIR:")
string(REGEX REPLACE "^Qt6Core_DIR:[A-Z]*=" "" qt_dir "${qt_dir}")
get_filename_component(qt_bin "${qt_dir}/../../../bin" ABSOLUTE)
zemb_wine_arch("${windows}")

# A prefix of the tour's own, made anew: the example installation on drive C: and in the 32-bit
# view of the registry, where its installers write.
set(prefix "${windows}/wine-screenshots")
zemb_remove_prefix("${prefix}")
file(REMOVE_RECURSE "${out}")
file(MAKE_DIRECTORY "${out}")
zemb_run(COMMAND "${ZEMB_WINE_RUN}" --init --prefix "${prefix}" --reg "${installation}/zembrel.reg"
  WHAT "making the Wine prefix ${prefix}")
file(COPY "${installation}/drives/c/" DESTINATION "${prefix}/drive_c")
# Wind River's wrenv, which runs the personality generator: the Windows program of the example.
file(REMOVE "${prefix}/drive_c/WindRiver/wrenv.sh")
file(COPY_FILE "${windows}/tests/configurator/wizard/example_wrenv.exe" "${prefix}/drive_c/WindRiver/wrenv.exe")
# FreeType, as Wine's GDI measures a line edit's text far taller than its line: drawn outside it.
zemb_winpath(out_name "${out}")
zemb_run(COMMAND ${CMAKE_COMMAND} -E env WINEQT_QPA_PLATFORM=windows:fontengine=freetype "WINEPATH=Z:${qt_bin}"
  xvfb-run -a -s "-screen 0 1280x1024x24" "${ZEMB_WINE_RUN}" --prefix "${prefix}" -- "${tour}" "${out_name}"
  WHAT "the Windows tour")

# Each page shown under Windows holds what the same page holds on Linux. The summary names a
# chosen personality by its short (8.3) path, which only Windows has, so it is left out.
make_temporary(linux_out wizard-tour-linux)
linux_tour("${linux_out}/tour" offscreen failure QUIET)
if(failure)
  file(REMOVE_RECURSE "${linux_out}")
  zemb_fail("${failure}")
endif()
execute_process(COMMAND diff -u -r -x "*.png" -I "^PageLast/textEdit: " "${linux_out}/tour" "${out}"
  OUTPUT_VARIABLE differences RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  string(REPLACE "${linux_out}/tour" "linux" differences "${differences}")
  string(REPLACE "${out}" "windows" differences "${differences}")
  file(REMOVE_RECURSE "${linux_out}")
  message("the pages of the Windows tour (${out}) do not hold what the Linux tour's hold"
    " (checked buttons, texts, enabled controls); - Linux, + Windows:\n${differences}")
  zemb_fail("the pages of the Windows tour (${out}) do not hold what the Linux tour's hold")
endif()
file(REMOVE_RECURSE "${linux_out}")
message("the pages of the Windows tour hold what the Linux tour's hold")
