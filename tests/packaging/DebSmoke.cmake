# cmake -DTOP=<source folder> -DBUILD=<release build, installed into /usr> -P DebSmoke.cmake
#
# The Debian package made by CPack from a release build, tried out as a user would: unpacked into a
# temporary root, the bundled example run with the installed suppresszembrel as the generated
# post-analysis batch file runs it, and zembrelconf-cli on a copy of the example installation; then
# the build installed into another prefix by `cmake --install`, and the example run from there.
include(${CMAKE_CURRENT_LIST_DIR}/../e2e/WineRuns.cmake)
if(NOT DEFINED BUILD)
  message(FATAL_ERROR "DebSmoke.cmake needs -DBUILD=<release build>")
endif()
file(STRINGS "${BUILD}/CMakeCache.txt" prefix REGEX "^CMAKE_INSTALL_PREFIX:PATH=/usr$")
if(NOT prefix)
  zemb_fail("${BUILD} is not installed into /usr (cmake --preset release configures it so)")
endif()
set(scratch "${BUILD}/package-smoke")
zemb_fresh_folder("${scratch}")

zemb_run(COMMAND cpack -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${scratch}/deb"
  LOG "${scratch}/cpack.log" WHAT "cpack -G DEB")
file(GLOB deb "${scratch}/deb/zembrel-kit_*.deb")
if(NOT deb)
  zemb_fail("cpack made no Debian package; see ${scratch}/cpack.log")
endif()
message("== smoke test: ${deb} unpacked into a temporary root")
zemb_run(COMMAND dpkg-deb -f "${deb}" Depends OUTPUT depends)
message("   Depends: ${depends}")
if(NOT depends MATCHES "libqt6widgets6")
  zemb_fail("no Qt dependency found")
endif()
set(root "${scratch}/root")
zemb_run(COMMAND dpkg-deb -x "${deb}" "${root}")
if(NOT IS_SYMLINK "${root}/usr/libexec/zembrel-kit/suppressions.txt")
  zemb_fail("the rules file is not linked from the program directory")
endif()
zemb_expect_file("${root}/usr/share/doc/zembrel-kit/copyright" "no /usr/share/doc/zembrel-kit/copyright")

# The tool in the environment the analyser gives it, in the run folder.
function(suppress bin run out source)
  zemb_run(COMMAND "${bin}/suppresszembrel" VELCPP -op "${run}/${out}" "${run}/src/${source}" ${ARGN}
    WORKING_DIRECTORY "${run}" OUTPUT said
    ENV "HOME=${run}/home" "VELCPPBIN=${run}/velcpp/bin" "VELCPPTEMPFILES=${run}/tmp"
    WHAT "suppresszembrel on ${source}")
  set(said "${said}" PARENT_SCOPE)
endfunction()

# The example project analysed with the kit's rules files holding the example's rules: the rules
# hide four diagnostics of sensor.cpp and two of main.cpp. Its messages name the rules file that the
# administrator edits, not the link beside the program.
function(installed_example bin rules examples run)
  foreach(folder velcpp/bin src out tmp home again)
    file(MAKE_DIRECTORY "${run}/${folder}")
  endforeach()
  file(WRITE "${run}/velcpp/bin/velcpp.cfg" "#options\n")
  file(GLOB sources "${examples}/project/src/*")
  file(COPY ${sources} DESTINATION "${run}/src")
  file(COPY "${examples}/project/rules/suppressions.txt" "${examples}/project/rules/parameter_suppressions.txt"
    DESTINATION "${rules}")
  foreach(name sensor.cpp main.cpp)
    file(READ "${examples}/project/errors/${name}.txt" description)
    string(REPLACE "@SRC@" "${run}/src" description "${description}")
    file(WRITE "${run}/tmp/${name}.desc" "${description}")
    zemb_run(COMMAND "${bin}/errtool" make "${run}/tmp/${name}.desc" "${run}/out/${name}.err")
  endforeach()
  foreach(expected sensor.cpp=4 main.cpp=2)
    string(REPLACE "=" ";" expected "${expected}")
    list(GET expected 0 name)
    list(GET expected 1 count)
    suppress("${bin}" "${run}" out ${name} -forget cmaf)
    zemb_run(COMMAND "${bin}/errtool" dump -ef- "${run}/out/${name}.err" OUTPUT dump)
    zemb_suppression_records(found "${dump}")
    if(NOT found EQUAL count)
      zemb_fail("the example left ${found} suppression records in ${name}.err, expected ${count}:\n${dump}")
    endif()
  endforeach()
  message("   example: suppresszembrel hid 6 diagnostics with the example's rules in ${rules}")
  file(APPEND "${rules}/suppressions.txt" "9999\n")
  zemb_run(COMMAND "${bin}/errtool" make "${run}/tmp/main.cpp.desc" "${run}/again/main.cpp.err")
  suppress("${bin}" "${run}" again main.cpp -po suppresszembrel::dry_run=1)
  file(COPY "${examples}/project/rules/suppressions.txt" DESTINATION "${rules}")
  file(REAL_PATH "${rules}" real_rules)
  string(FIND "${said}" "Ignoring ${real_rules}/suppressions.txt line with no message number: 9999" at)
  if(at EQUAL -1)
    zemb_fail("the rules file is not named as the administrator knows it: ${said}")
  endif()
  message("   example: its messages name the rules file as ${real_rules}/suppressions.txt")
endfunction()

installed_example("${root}/usr/bin" "${root}/etc/zembrel-kit" "${root}/usr/share/doc/zembrel-kit/examples"
  "${scratch}/deb-example")

# zembrelconf-cli of the package against a copy of the example installation: what it offers, and an
# unattended Visual Studio configuration.
set(work "${scratch}/deb-conf")
file(COPY "${root}/usr/share/doc/zembrel-kit/examples/installation" DESTINATION "${work}")
set(installation ZEMBRELCONF_REGISTRY=${work}/installation/zembrel.reg ZEMBRELCONF_DRIVES=${work}/installation/drives)
zemb_run(COMMAND "${root}/usr/bin/zembrelconf-cli" --list ENV ${installation} OUTPUT listing)
string(FIND "${listing}" "  3.0  C:\\VEL\\VELCPP30  (preselected)" at)
if(at EQUAL -1)
  zemb_fail("unexpected --list:\n${listing}")
endif()
file(WRITE "${work}/answers.txt" "target = Visual Studio\nvisual-studio-version = 2008\n")
zemb_run(COMMAND "${root}/usr/bin/zembrelconf-cli" "${work}/answers.txt" ENV ${installation} OUTPUT said)
zemb_expect_file("${work}/installation/drives/c/Zembrel/Share/etc/msvelcppmake.bat" "zembrelconf-cli wrote no build batch file:\n${said}")
message("   zembrelconf-cli: --list and a Visual Studio configuration of the example installation")

# Every program finds the libraries the package depends on; suppresszembrel carries PCRE2 and the
# package its licence.
foreach(program bin/zembrelconf bin/zembrelconf-cli bin/errtool libexec/zembrel-kit/suppresszembrel)
  zemb_run(COMMAND ldd "${root}/usr/${program}" OUTPUT libraries)
  if(libraries MATCHES "not found")
    zemb_fail("${program} misses libraries:\n${libraries}")
  endif()
endforeach()
if(libraries MATCHES "libpcre2")
  zemb_fail("suppresszembrel loads PCRE2 instead of carrying it")
endif()
file(READ "${root}/usr/share/doc/zembrel-kit/copyright" copyright)
file(READ "${root}/usr/share/doc/zembrel-kit/PCRE2-copyright" pcre2_copyright)
if(NOT copyright MATCHES "PCRE2" OR NOT pcre2_copyright MATCHES "University of Cambridge")
  zemb_fail("the package does not carry PCRE2's licence")
endif()

message("== smoke test: cmake --install into another prefix")
set(prefix "${scratch}/prefix")
zemb_run(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}" OUTPUT ignored)
zemb_expect_file("${prefix}/etc/zembrel-kit/suppressions.txt" "no rules files in ${prefix}/etc/zembrel-kit")
installed_example("${prefix}/bin" "${prefix}/etc/zembrel-kit" "${prefix}/share/doc/zembrel-kit/examples"
  "${scratch}/prefix-example")
file(REMOVE_RECURSE "${scratch}")
