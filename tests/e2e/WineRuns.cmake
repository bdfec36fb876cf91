# What the end-to-end scripts (cmake -P) share: running Windows programs in a Wine prefix through
# scripts/wine-run, naming host paths as Windows programs see them, and failing with a reason.
# Included by each script; TOP is the source folder.
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED TOP)
  get_filename_component(TOP "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
endif()
set(ZEMB_WINE_RUN "${TOP}/scripts/wine-run")
if(DEFINED ENV{TMPDIR})
  set(ZEMB_RUN_TEMP "$ENV{TMPDIR}")
else()
  set(ZEMB_RUN_TEMP /tmp)
endif()

# Wine takes the host's names and arguments in the locale's encoding: UTF-8, so that non-ASCII
# letters reach the Windows programs as the letters they are.
set(ENV{LANG} C.UTF-8)

# zemb_fail(<text>...): stops the script with its reason. The reason is printed as one line of its
# own first, which zemb_steps picks up; CMake's error text wraps long lines.
function(zemb_fail)
  # ARGV<n>, not ARGN: a ';' in the text would split it.
  set(text "")
  set(index 0)
  while(index LESS ARGC)
    string(APPEND text "${ARGV${index}}")
    math(EXPR index "${index} + 1")
  endwhile()
  message("FAILURE: ${text}")
  message(FATAL_ERROR "${text}")
endfunction()

# zemb_fresh_folder(<folder>): an empty folder for a script's work, carrying a marker; a folder that
# exists without the marker was not made by these scripts and is refused, never removed.
function(zemb_fresh_folder folder)
  if(EXISTS "${folder}" AND NOT EXISTS "${folder}/.made-by-zembrel-tests")
    zemb_fail("${folder} exists but was not made by the project's tests; it is left as it is")
  endif()
  file(REMOVE_RECURSE "${folder}")
  file(WRITE "${folder}/.made-by-zembrel-tests" "")
endfunction()

# zemb_remove_prefix(<prefix>): removes a Wine prefix that scripts/wine-run made (its .made marker),
# so that the next run makes it anew; any other folder there is refused, never removed.
function(zemb_remove_prefix prefix)
  if(EXISTS "${prefix}" AND NOT EXISTS "${prefix}/.made")
    zemb_fail("${prefix} was not made by scripts/wine-run (no .made marker), so it is left as it is: remove it yourself")
  endif()
  file(REMOVE_RECURSE "${prefix}")
endfunction()

# zemb_expect_file(<file> <reason>): fails with the reason unless the file is there (a folder is not).
function(zemb_expect_file file)
  if(NOT EXISTS "${file}" OR IS_DIRECTORY "${file}")
    zemb_fail("${ARGN}")
  endif()
endfunction()

# zemb_suppression_records(<var> <dump>): the number of suppression records in errtool's dump of an
# error file.
function(zemb_suppression_records out dump)
  string(REGEX MATCHALL "\n  suppression " found "\n${dump}")
  list(LENGTH found count)
  set(${out} ${count} PARENT_SCOPE)
endfunction()

# zemb_same_file(<file> <other file> <reason>): fails with the reason unless both hold the same bytes.
function(zemb_same_file file other)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${file}" "${other}" RESULT_VARIABLE differs)
  if(NOT differs STREQUAL "0")
    zemb_fail("${ARGN}")
  endif()
endfunction()

# zemb_wine_arch(<build folder>): sets ENV{ZEMB_WINEARCH} from the build's toolchain, so that
# programs named rather than given as files (cmd, reg, msiexec) run in a prefix of that kind.
function(zemb_wine_arch build)
  set(toolchain "")
  if(EXISTS "${build}/CMakeCache.txt")
    file(STRINGS "${build}/CMakeCache.txt" toolchain REGEX "^CMAKE_TOOLCHAIN_FILE:")
  endif()
  if(toolchain MATCHES "mingw-i686\\.cmake")
    set(ENV{ZEMB_WINEARCH} win32)
  else()
    set(ENV{ZEMB_WINEARCH} win64)
  endif()
endfunction()

# zemb_winpath(<variable> <host path> [DRIVE_C <prefix's drive_c>]): the Windows name of a host
# path: below the prefix's drive C: on C:, anywhere else on Z: (the host's root).
function(zemb_winpath variable path)
  cmake_parse_arguments(ARG "" "DRIVE_C" "" ${ARGN})
  # A literal prefix, not a pattern: the folder's name may hold characters that patterns give a meaning.
  set(at -1)
  if(ARG_DRIVE_C)
    string(FIND "${path}" "${ARG_DRIVE_C}/" at)
  endif()
  if(at EQUAL 0)
    string(LENGTH "${ARG_DRIVE_C}" length)
    string(SUBSTRING "${path}" ${length} -1 tail)
    set(name "C:${tail}")
  else()
    set(name "Z:${path}")
  endif()
  string(REPLACE "/" "\\" name "${name}")
  set(${variable} "${name}" PARENT_SCOPE)
endfunction()

# zemb_run(COMMAND <program> <argument>... [WORKING_DIRECTORY <folder>] [ENV <name>=<value>...]
#          [OUTPUT <variable>] [RESULT <variable>] [OUTPUT_FILE <file>] [LOG <file>] [INPUT_FILE <file>]
#          [WHAT <text>])
# Runs a program. Its output is printed when it has ended, unless OUTPUT takes it (CR removed,
# trailing newline kept off), OUTPUT_FILE writes it, or LOG writes it with the error output. Without RESULT a status other than 0 fails the script, naming WHAT
# (or the program). With ENV (even naming nothing) the program runs in a clean environment: PATH,
# HOME and LANG, the Wine architecture and what ENV names.
function(zemb_run)
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY;OUTPUT;RESULT;OUTPUT_FILE;LOG;INPUT_FILE;WHAT" "COMMAND;ENV" ${ARGN})
  set(command ${ARG_COMMAND})
  if(DEFINED ARG_ENV OR "ENV" IN_LIST ARG_KEYWORDS_MISSING_VALUES)
    # env(1): `cmake -E env` empties the environment only from CMake 3.26 on.
    set(command env -i PATH=/usr/bin:/bin "HOME=$ENV{HOME}" "LANG=$ENV{LANG}"
      "ZEMB_WINEARCH=$ENV{ZEMB_WINEARCH}" ${ARG_ENV} ${command})
  endif()
  set(options)
  if(ARG_WORKING_DIRECTORY)
    list(APPEND options WORKING_DIRECTORY "${ARG_WORKING_DIRECTORY}")
  endif()
  if(ARG_INPUT_FILE)
    list(APPEND options INPUT_FILE "${ARG_INPUT_FILE}")
  endif()
  # The output goes through files, never pipes: the Wine server that a program starts keeps the
  # pipes it inherited open for seconds after the program ended, and execute_process waits for them.
  string(RANDOM LENGTH 12 tag)
  set(temp "${ZEMB_RUN_TEMP}/zemb-run-${tag}")
  if(ARG_LOG)
    list(APPEND options OUTPUT_FILE "${ARG_LOG}" ERROR_FILE "${ARG_LOG}")
    file(WRITE "${temp}.err" "")
    set(shown "${temp}.err")
  elseif(ARG_OUTPUT_FILE)
    list(APPEND options OUTPUT_FILE "${ARG_OUTPUT_FILE}" ERROR_FILE "${temp}.err")
    set(shown "${temp}.err")
  elseif(ARG_OUTPUT)
    list(APPEND options OUTPUT_FILE "${temp}.out" ERROR_FILE "${temp}.err")
    set(shown "${temp}.err")
  else()
    list(APPEND options OUTPUT_FILE "${temp}.out" ERROR_FILE "${temp}.out")
    set(shown "${temp}.out")
  endif()
  execute_process(COMMAND ${command} ${options} RESULT_VARIABLE status)
  # Wine's start.exe now and then fails to start a program at all ("ShellExecuteEx failed:
  # Internal error"). The program never ran, so it is started once more.
  set(said "${shown}")
  if(ARG_LOG)
    set(said "${ARG_LOG}")
  endif()
  if(NOT status STREQUAL "0" AND EXISTS "${said}")
    file(READ "${said}" text)
    if(text MATCHES "ShellExecuteEx failed")
      message(STATUS "the program did not start (ShellExecuteEx failed); starting it once more")
      execute_process(COMMAND ${command} ${options} RESULT_VARIABLE status)
    endif()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E cat "${shown}")
  if(ARG_OUTPUT AND NOT ARG_OUTPUT_FILE)
    file(READ "${temp}.out" output)
    string(REPLACE "\r" "" output "${output}")
    string(REGEX REPLACE "\n$" "" output "${output}")
    set(${ARG_OUTPUT} "${output}" PARENT_SCOPE)
  endif()
  file(REMOVE "${temp}.out" "${temp}.err")
  if(ARG_RESULT)
    set(${ARG_RESULT} "${status}" PARENT_SCOPE)
  elseif(NOT status STREQUAL "0")
    if(NOT ARG_WHAT)
      list(GET ARG_COMMAND 0 ARG_WHAT)
    endif()
    zemb_fail("${ARG_WHAT} ended with ${status}")
  endif()
endfunction()

# zemb_wine(PREFIX <prefix> <zemb_run's arguments> COMMAND <Windows program> <argument>...): the
# same, under Wine in that prefix. COMMAND comes last: it takes every argument after it.
function(zemb_wine)
  cmake_parse_arguments(ARG "" "PREFIX" "COMMAND" ${ARGN})
  set(forward ${ARG_UNPARSED_ARGUMENTS})
  foreach(name OUTPUT RESULT)
    list(FIND forward ${name} at)
    if(NOT at EQUAL -1)
      math(EXPR at "${at} + 1")
      list(GET forward ${at} variable_${name})
    endif()
  endforeach()
  # The command comes last: an argument that ends in a backslash (C:\Folder\) would escape the
  # list separator after it.
  zemb_run(${forward} COMMAND "${ZEMB_WINE_RUN}" --prefix "${ARG_PREFIX}" -- ${ARG_COMMAND})
  foreach(name OUTPUT RESULT)
    if(variable_${name})
      set(${variable_${name}} "${${variable_${name}}}" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

# zemb_steps(<log folder> <step>...): runs this script once per step, as
# cmake -DSTEP=<function> ... -P <script>, each step's output into its log; one line per step says
# how it went, and a failed step shows its reason and the end of its log. The step's function is
# named <step>, its title is the variable title_<step>. Every -D given to this run is passed on
# (the variables named in ZEMB_STEP_VARIABLES).
function(zemb_steps logs)
  file(MAKE_DIRECTORY "${logs}")
  list(LENGTH ARGN total)
  set(number 0)
  set(defines)
  foreach(variable IN LISTS ZEMB_STEP_VARIABLES)
    if(DEFINED ${variable})
      list(APPEND defines "-D${variable}=${${variable}}")
    endif()
  endforeach()
  foreach(step IN LISTS ARGN)
    math(EXPR number "${number} + 1")
    set(log "${logs}/${number}-${step}.log")
    string(TIMESTAMP started "%s")
    execute_process(COMMAND ${CMAKE_COMMAND} ${defines} -DSTEP=${step} -P "${CMAKE_SCRIPT_MODE_FILE}"
      OUTPUT_FILE "${log}" ERROR_FILE "${log}" RESULT_VARIABLE status)
    string(TIMESTAMP ended "%s")
    math(EXPR seconds "${ended} - ${started}")
    if(status STREQUAL "0")
      message("  ${ZEMB_STEPS_NAME} ${number}/${total}: ${title_${step}} ... ok (${seconds} s)")
      continue()
    endif()
    message("  ${ZEMB_STEPS_NAME} ${number}/${total}: ${title_${step}} ... FAILED")
    file(STRINGS "${log}" reasons REGEX "^FAILURE: ")
    list(TRANSFORM reasons REPLACE "^FAILURE: " "")
    if(NOT reasons)
      set(reasons "status ${status}")
    endif()
    file(STRINGS "${log}" lines)
    list(LENGTH lines count)
    set(tail_start 0)
    if(count GREATER 25)
      math(EXPR tail_start "${count} - 25")
    endif()
    list(SUBLIST lines ${tail_start} -1 tail)
    list(JOIN tail "\n    " tail)
    list(JOIN reasons "\n  " reasons)
    # Printed as it is; the error itself only names the step (CMake wraps an error's lines).
    message("step ${number} (${title_${step}}) failed:\n  ${reasons}\nthe end of ${log}:\n    ${tail}")
    message(FATAL_ERROR "${ZEMB_STEPS_NAME} step ${number} failed")
  endforeach()
endfunction()
