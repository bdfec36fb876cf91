# cmake -DPROGRAM=<.exe or .dll> -DOBJDUMP=<target objdump> [-DALLOWED=<DLL,...>] [-DWINDOWS_DIR=<folder>]
#       [-DFOLDER=<folder>] -P WindowsDlls.cmake
#
# A shipped Windows program or DLL needs no DLL beyond those allowed: the ones named in ALLOWED,
# Windows' API sets (api-ms-win-*), those that Windows has (a file of that name in WINDOWS_DIR: Wine's
# DLLs stand in for Windows' own here) and those beside it in the kit's folder (FOLDER). Names are
# compared with letter case folded, as Windows does.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${headers}")
string(REPLACE "," ";" allowed "${ALLOWED}")
string(TOLOWER "${allowed}" allowed)
foreach(dir WINDOWS_DIR FOLDER)
  if(DEFINED ${dir})
    file(GLOB present RELATIVE "${${dir}}" "${${dir}}/*.dll")
    string(TOLOWER "${present}" present)
    list(APPEND allowed ${present})
  endif()
endforeach()
set(needed "")
set(foreign "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
  string(STRIP "${dll}" dll)
  list(APPEND needed "${dll}")
  string(TOLOWER "${dll}" lower)
  if(NOT lower IN_LIST allowed AND NOT lower MATCHES "^api-ms-win-")
    list(APPEND foreign "${dll}")
  endif()
endforeach()
list(JOIN needed " " needed)
message("${PROGRAM} needs: ${needed}")
if(foreign)
  list(JOIN foreign ", " foreign)
  message(FATAL_ERROR "${PROGRAM} needs ${foreign}, which neither Windows nor the kit's folder has")
endif()
