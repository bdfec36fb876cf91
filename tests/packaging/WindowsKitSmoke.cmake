# cmake -DTOP=<source folder> -DBUILD=<Windows build> -DLINUX=<Linux build> -P WindowsKitSmoke.cmake
#
# The zip and the installer that CPack made in a Windows build (<build>/packages), tried out as a
# user would: the zip's content, its wizard started from the unzipped folder (win64), its
# zembrelconf-cli.exe on a machine without installation; then the installer journey under Wine
# (install, configure, run, upgrade, remove, and the Windows README's steps from the unzipped zip).
include(${CMAKE_CURRENT_LIST_DIR}/../e2e/WineRuns.cmake)
# -DLINUX arrives as a cache entry: CMake's own LINUX variable (1 on Linux) hides the plain name.
set(linux "$CACHE{LINUX}")
if(NOT DEFINED BUILD OR NOT linux)
  message(FATAL_ERROR "WindowsKitSmoke.cmake needs -DBUILD=<Windows build> -DLINUX=<Linux build>")
endif()
zemb_wine_arch("${BUILD}")
set(arch $ENV{ZEMB_WINEARCH})
file(STRINGS "${BUILD}/CMakeCache.txt" version REGEX "^CMAKE_PROJECT_VERSION:STATIC=")
string(REGEX REPLACE "^[^=]*=" "" version "${version}")
set(name zembrel-kit-${version}-${arch})
set(zip "${BUILD}/packages/${name}.zip")
set(msi "${BUILD}/packages/${name}.msi")
foreach(package "${zip}" "${msi}")
  zemb_expect_file("${package}" "${package} is missing (the package.windows test makes it)")
endforeach()

set(scratch "${BUILD}/package-smoke")
zemb_fresh_folder("${scratch}")
message("== smoke test: ${zip} unzipped into a temporary folder (${arch})")
file(ARCHIVE_EXTRACT INPUT "${zip}" DESTINATION "${scratch}/root")
set(kit "${scratch}/root/${name}")
set(files suppresszembrel/suppresszembrel.exe errtool.exe ZembrelIntegration/zembrelconf-cli.exe README.txt README.md
  suppresszembrel/suppressions.txt suppresszembrel/parameter_suppressions.txt
  ZembrelIntegration/suppresszembrel/suppresszembrel.p_s-template ZembrelIntegration/msvc/zembrel-msvc.p_a-template
  examples/project/rules/suppressions.txt examples/project/rules/parameter_suppressions.txt
  licences/PCRE2.txt licences/GCC-runtime.txt licences/GPL-3.txt licences/MinGW-w64-runtime-and-winpthreads.txt)
if(arch STREQUAL win64)
  list(APPEND files ZembrelIntegration/zembrelconf.exe ZembrelIntegration/platforms/qwindows.dll
    ZembrelIntegration/imageformats/qjpeg.dll licences/Qt/LGPL-3.0-only.txt licences/Qt/THIRD-PARTY-NOTICES.txt)
endif()
foreach(file IN LISTS files)
  zemb_expect_file("${kit}/${file}" "the archive has no ${file}")
endforeach()
if(EXISTS "${kit}/ZembrelIntegration/vnh/run_vnh.exe")
  zemb_fail("the archive holds the example's stand-in for run_vnh.exe")
endif()

# zembrelconf.exe started from the unzipped folder under wine64 on an X server of its own, in a
# Wine prefix that holds the example installation and nothing of Qt: its window must come up (a
# picture of it is kept in build/zembrelconf-win64.png).
if(arch STREQUAL win64)
  set(prefix "${scratch}/wizard-prefix")
  set(picture "${TOP}/build/zembrelconf-win64.png")
  zemb_run(COMMAND "${ZEMB_WINE_RUN}" --init --prefix "${prefix}" --reg "${TOP}/examples/installation/zembrel.reg")
  file(COPY "${TOP}/examples/installation/drives/c/" DESTINATION "${prefix}/drive_c")
  file(REMOVE "${picture}")
  # (The shell's lines hold no semicolon: CMake would split the argument there.)
  set(watch [=[
    "$1" --prefix "$2" -- "$3" >/dev/null 2>&1 &
    for second in $(seq 120)
    do
      if xwininfo -root -tree | grep -q "\"$5\""
      then
        sleep 3
        import -window root "$4"
        break
      fi
      sleep 1
    done
    WINEPREFIX=$2 /usr/lib/wine/wineserver64 -k
    wait
    [ -f "$4" ]]=])
  zemb_run(COMMAND env -u WINEPATH -u QT_PLUGIN_PATH -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24"
    sh -c "${watch}" _ "${ZEMB_WINE_RUN}" "${prefix}" "${kit}/ZembrelIntegration/zembrelconf.exe" "${picture}"
    "Zembrel Configurator" WHAT "zembrelconf.exe, started from the unzipped folder, did not bring up its window:")
  message("   zembrelconf.exe: started from the unzipped folder, its window came up (${picture})")
endif()

zemb_run(COMMAND "${ZEMB_WINE_RUN}" --arch ${arch} "${kit}/ZembrelIntegration/zembrelconf-cli.exe" --list
  OUTPUT listing RESULT status)
if(NOT status EQUAL 4)
  zemb_fail("zembrelconf-cli.exe --list without installation ended with ${status}, not 4")
endif()
if(NOT listing MATCHES "^No installations of VELC\\+\\+ found(\n|$)")
  zemb_fail("unexpected --list: ${listing}")
endif()
message("   zembrelconf-cli.exe: --list on a machine without installation says so, as the wizard does, and ends with 4")

message("== the installer journey: ${msi} under Wine (${arch})")
zemb_run(COMMAND ${CMAKE_COMMAND} -DTOP=${TOP} -DLINUX=${linux} -DWINDOWS=${BUILD} -DMSI=${msi} -DZIP=${zip}
  -DSTAGE=${BUILD}/kit-stage/${name} -P ${TOP}/tests/e2e/Journey.cmake WHAT "the installer journey")
file(REMOVE_RECURSE "${scratch}")
