# Runs zembrelconf-cli of a Linux build and zembrelconf-cli.exe of a Windows build under Wine on the
# example installation, with each answers file of examples/answers, and checks that both print the
# same and write the same files, byte for byte (CR LF line ends included).
#
# One difference is Windows' own: the configurator names the compiler personality file by its short
# (8.3) form, which only Windows has (Linux answers the name itself). Where the file's names are
# long, that short form, asked of Wine, is read as the file's name before comparing; anything else
# shortened would show as a difference.
#
#   cmake -DTOP=<source> -DLINUX=<Linux build> -DWINDOWS=<Windows build> -P tests/e2e/ConfcliCompare.cmake
#
# Both builds already built (scripts/test builds build/normal and build/mingw64, and the 32-bit
# build/mingw where this machine runs 32-bit programs). On Linux the installation is a copy whose
# drives and registry the portable layer reads (ZEMBRELCONF_DRIVES, ZEMBRELCONF_REGISTRY); under
# Wine it is the real thing: its drive C: tree is copied onto drive C: of a Wine prefix, its
# zembrel.reg imported into the 32-bit view of the prefix's registry, where the 32-bit installers
# write. Wind River's wrenv is the tests' stand-in on both (a Linux and a Win32 program that record
# their arguments), so the process start is compared too.
cmake_minimum_required(VERSION 3.25)
if("${TOP}" STREQUAL "")
  get_filename_component(TOP "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
endif()
include("${CMAKE_CURRENT_LIST_DIR}/WineRuns.cmake")

# -DLINUX is read from the cache: CMake's own variable LINUX (true on Linux) hides it.
set(linux "$CACHE{LINUX}")
set(windows "${WINDOWS}")
if(linux STREQUAL "" OR windows STREQUAL "")
  message(FATAL_ERROR "usage: cmake -DTOP=<source> -DLINUX=<Linux build> -DWINDOWS=<Windows build> -P ${CMAKE_CURRENT_LIST_FILE}")
endif()
get_filename_component(linux "${linux}" ABSOLUTE)
get_filename_component(windows "${windows}" ABSOLUTE)

# The Wine prefix takes the architecture of the build's programs.
zemb_wine_arch("${windows}")

set(installation "${TOP}/examples/installation")
# The configurator suites' prefix: a Windows given over to fake installations.
set(prefix "${windows}/wine-conf")
# Windows' own folders of drive C:, which the runs neither clear nor compare.
set(windows_folders windows users ProgramData "Program Files" "Program Files (x86)")

# A folder for this run's copies and outputs, removed at the end, also when a check fails.
set(temp "$ENV{TMPDIR}")
if(NOT temp)
  set(temp /tmp)
endif()
string(RANDOM LENGTH 10 suffix)
set(work "${temp}/confcli-compare.${suffix}")
file(MAKE_DIRECTORY "${work}")

# fail(<text>...): removes the run's folder and stops with the reason.
function(fail)
  file(REMOVE_RECURSE "${work}")
  zemb_fail(${ARGN})
endfunction()

foreach(program "${linux}/configurator/cli/zembrelconf-cli" "${linux}/tests/configurator/core/wrenv_standin"
                "${windows}/configurator/cli/zembrelconf-cli.exe" "${windows}/tests/configurator/core/wrenv_standin.exe")
  if(NOT EXISTS "${program}" OR IS_DIRECTORY "${program}")
    fail("${program} is not built")
  endif()
endforeach()

# The installation's part of drive C:, the entries of its top folder but Windows' own.
function(installation_entries variable)
  file(GLOB entries LIST_DIRECTORIES true "${prefix}/drive_c/*")
  set(kept)
  foreach(entry IN LISTS entries)
    get_filename_component(name "${entry}" NAME)
    if(NOT name IN_LIST windows_folders)
      list(APPEND kept "${entry}")
    endif()
  endforeach()
  set(${variable} "${kept}" PARENT_SCOPE)
endfunction()

# Empties drives C: (but for Windows' own folders) and D: of the prefix, and removes the
# installation's registry keys (which need not be there).
function(clear_prefix)
  installation_entries(entries)
  file(GLOB drive_d LIST_DIRECTORIES true "${prefix}/drive_d/*")
  if(entries OR drive_d)
    file(REMOVE_RECURSE ${entries} ${drive_d})
  endif()
  execute_process(COMMAND "${ZEMB_WINE_RUN}" --prefix "${prefix}" -- reg delete "HKLM\\Software\\NX:VEL" /f /reg:32
    OUTPUT_QUIET ERROR_QUIET)
endfunction()

# The installation's drive C: after a run, without Windows' own folders, as a tree to compare.
function(collect_drive_c target)
  file(MAKE_DIRECTORY "${target}")
  installation_entries(entries)
  if(entries)
    file(COPY ${entries} DESTINATION "${target}")
  endif()
endfunction()

# Every byte but NUL by its two hex digits, as file(READ ... HEX) gives them: file(READ) of text
# drops the CR of each CR LF, so files are read byte for byte through their hex digits.
foreach(code RANGE 1 255)
  string(ASCII ${code} byte)
  string(HEX "${byte}" digits)
  set(byte_${digits} "${byte}")
endforeach()

# read_bytes(<variable> <file>): the file's content, byte for byte.
function(read_bytes variable file)
  file(READ "${file}" hex HEX)
  string(REGEX MATCHALL ".." codes "${hex}")
  if("00" IN_LIST codes)
    fail("${file} holds a NUL byte, which the comparison cannot read")
  endif()
  set(bytes "")
  foreach(code IN LISTS codes)
    string(APPEND bytes "${byte_${code}}")
  endforeach()
  set(${variable} "${bytes}" PARENT_SCOPE)
endfunction()

# Replaces, in a file or every file below a folder, a text by another, in the "\" and in the "/"
# form. The contents stay strings throughout (a list would take their ";" apart), and a file is
# written back only when it changed, byte for byte as it was but for the replacement.
function(replace_path root old new)
  if(IS_DIRECTORY "${root}")
    file(GLOB_RECURSE files "${root}/*")
  else()
    set(files "${root}")
  endif()
  string(REPLACE "\\" "/" old_slashes "${old}")
  string(REPLACE "\\" "/" new_slashes "${new}")
  foreach(file IN LISTS files)
    # The text without its CRs tells whether the file holds either form at all.
    file(READ "${file}" text)
    string(FIND "${text}" "${old}" at)
    string(FIND "${text}" "${old_slashes}" at_slashes)
    if(at EQUAL -1 AND at_slashes EQUAL -1)
      continue()
    endif()
    read_bytes(data "${file}")
    string(REPLACE "${old}" "${new}" changed "${data}")
    string(REPLACE "${old_slashes}" "${new_slashes}" changed "${changed}")
    file(WRITE "${file}" "${changed}")
  endforeach()
endfunction()

zemb_run(COMMAND "${ZEMB_WINE_RUN}" --init --prefix "${prefix}" --drive "D:=${prefix}/drive_d" RESULT status)
if(NOT status STREQUAL "0")
  fail("making the Wine prefix ${prefix} ended with ${status}")
endif()
file(GLOB answers_files "${TOP}/examples/answers/*.txt")
set(routes 0)
foreach(answers IN LISTS answers_files)
  get_filename_component(route "${answers}" NAME_WE)
  set(linux_out "${work}/${route}.linux.out")
  set(windows_out "${work}/${route}.windows.out")

  # Linux: a copy of the installation, wrenv the Linux stand-in.
  set(lin "${work}/linux/${route}")
  file(MAKE_DIRECTORY "${lin}")
  file(COPY "${installation}/" DESTINATION "${lin}")
  file(COPY_FILE "${linux}/tests/configurator/core/wrenv_standin" "${lin}/drives/c/WindRiver/wrenv")
  zemb_run(COMMAND ${CMAKE_COMMAND} -E env "ZEMBRELCONF_REGISTRY=${lin}/zembrel.reg" "ZEMBRELCONF_DRIVES=${lin}/drives"
    "${linux}/configurator/cli/zembrelconf-cli" "${answers}" OUTPUT_FILE "${linux_out}" RESULT status)
  file(APPEND "${linux_out}" "${status}\n")
  file(REMOVE "${lin}/drives/c/WindRiver/wrenv")

  # Windows: the installation on the prefix's drive C: and in its registry, wrenv the Win32 stand-in.
  clear_prefix()
  file(COPY "${installation}/drives/c/" DESTINATION "${prefix}/drive_c")
  file(COPY_FILE "${windows}/tests/configurator/core/wrenv_standin.exe" "${prefix}/drive_c/WindRiver/wrenv.exe")
  zemb_winpath(answers_name "${answers}")
  zemb_run(COMMAND "${ZEMB_WINE_RUN}" --prefix "${prefix}" --drive "D:=${prefix}/drive_d"
    --reg "${installation}/zembrel.reg" -- "${windows}/configurator/cli/zembrelconf-cli.exe" "${answers_name}"
    OUTPUT_FILE "${windows_out}" RESULT status)
  file(APPEND "${windows_out}" "${status}\n")
  file(REMOVE "${prefix}/drive_c/WindRiver/wrenv.exe")
  set(win "${work}/windows/${route}")
  collect_drive_c("${win}/drives/c")
  set(note "")
  file(STRINGS "${answers}" personality REGEX "^compiler-personality-file *=")
  list(TRANSFORM personality REPLACE "^compiler-personality-file *= *" "")
  list(JOIN personality "\n" personality)
  string(REPLACE "\r" "" personality "${personality}")
  if(NOT personality STREQUAL "")
    # (zemb_wine's options come before COMMAND, whose arguments run to the end.)
    zemb_wine(PREFIX "${prefix}" OUTPUT short RESULT status COMMAND winepath -s "${personality}")
    if(NOT status STREQUAL "0")
      fail("${route}: winepath -s ${personality} ended with ${status}")
    endif()
    if(NOT short STREQUAL personality)
      replace_path("${win}" "${short}" "${personality}")
      replace_path("${windows_out}" "${short}" "${personality}")
      set(note " (${short}, the short form of ${personality}, read as that name)")
    endif()
  endif()
  clear_prefix()

  # Standard output: CR LF on Windows, the same text.
  # (file(READ) of text drops the CR of each line's end.)
  file(READ "${windows_out}" windows_lines)
  file(WRITE "${work}/${route}.windows.lf.out" "${windows_lines}")
  execute_process(COMMAND diff -u "${linux_out}" "${work}/${route}.windows.lf.out" RESULT_VARIABLE status)
  if(NOT status STREQUAL "0")
    fail("${route}: zembrelconf-cli.exe printed other than zembrelconf-cli")
  endif()
  # Every line but the last, the exit status added here, ends in CR LF.
  read_bytes(windows_text "${windows_out}")
  string(REGEX REPLACE "[^\n]*\n$" "" printed "${windows_text}")
  string(REGEX REPLACE "[^\n]*\r\n" "" without_crlf "${printed}")
  if(NOT without_crlf STREQUAL "")
    fail("${route}: zembrelconf-cli.exe printed lines without CR LF")
  endif()
  file(READ "${linux_out}" linux_text)
  if(NOT linux_text MATCHES "(^|\n)0\n$")
    message("${linux_text}")
    fail("${route}: zembrelconf-cli failed")
  endif()
  # The files: every file of drive C: the same, byte for byte.
  execute_process(COMMAND diff -r "${lin}/drives/c" "${win}/drives/c" RESULT_VARIABLE status)
  if(NOT status STREQUAL "0")
    fail("${route}: zembrelconf-cli.exe wrote other files than zembrelconf-cli")
  endif()
  file(GLOB_RECURSE files RELATIVE "${lin}/drives/c" "${lin}/drives/c/*")
  set(written 0)
  foreach(file IN LISTS files)
    set(before "${installation}/drives/c/${file}")
    if(EXISTS "${before}")
      file(SHA256 "${before}" before_digest)
      file(SHA256 "${lin}/drives/c/${file}" after_digest)
    endif()
    if(NOT EXISTS "${before}" OR NOT before_digest STREQUAL after_digest)
      math(EXPR written "${written} + 1")
    endif()
  endforeach()
  message("  ${route}: the same output and the same ${written} files written on both builds${note}")
  math(EXPR routes "${routes} + 1")
endforeach()
file(REMOVE_RECURSE "${work}")
message("  ${routes} routes of examples/answers: zembrelconf-cli.exe under Wine wrote what zembrelconf-cli wrote")
