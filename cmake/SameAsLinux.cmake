# cmake -DLINUX_RUN=<Linux run folder> -DOTHER_RUN=<run folder of a Windows build> [-DWHAT=<name>] -P SameAsLinux.cmake
#
# The one comparison of a Windows run of the example with the Linux build's run: the files that
# scripts/demo and tests/e2e/Journey.cmake write with the run's folder as <run>, drive letters and
# CR LF taken away. Prints a unified diff of each file that differs and fails.
cmake_minimum_required(VERSION 3.25)
foreach(required LINUX_RUN OTHER_RUN)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "SameAsLinux.cmake needs -D${required}=<folder>")
  endif()
endforeach()
if(NOT DEFINED WHAT)
  set(WHAT "the Windows build")
endif()

set(compared
  "records.txt=the records appended to the error files"
  "report.txt=the lines of the report file"
  "rules-report.txt=errtool rules-report --json"
  "sarif.txt=the SARIF log of errtool sarif")
set(differs "")
foreach(entry IN LISTS compared)
  string(REGEX REPLACE "=.*" "" file "${entry}")
  string(REGEX REPLACE "^[^=]*=" "" meaning "${entry}")
  foreach(side LINUX_RUN OTHER_RUN)
    if(NOT EXISTS "${${side}}/${file}")
      message(FATAL_ERROR "${${side}}/${file} is missing: the run did not finish")
    endif()
  endforeach()
  execute_process(COMMAND diff -u "${LINUX_RUN}/${file}" "${OTHER_RUN}/${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(APPEND differs "${meaning}")
  endif()
endforeach()
if(differs)
  list(JOIN differs "; " differs)
  message(FATAL_ERROR "${WHAT} differs from the Linux build in: ${differs}")
endif()

file(STRINGS "${OTHER_RUN}/records.txt" records REGEX "suppression kind=")
file(STRINGS "${OTHER_RUN}/report.txt" report)
list(LENGTH records records)
list(LENGTH report report)
message("${records} suppression records, ${report} report lines, the rules report and the SARIF log: "
        "the same on ${WHAT} and the Linux build")
