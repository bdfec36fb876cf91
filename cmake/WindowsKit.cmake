# The Windows kit: the folder the configurators expect below the integration location, as
# `cmake --install` lays it out and as CPack packs it, into a zip (its ZIP generator) and into the
# installer (its External generator, which runs WindowsKitInstaller.cmake on the staged folder):
#
#   suppresszembrel\      suppresszembrel.exe and its two rules files, without a rule
#   ZembrelIntegration\   zembrelconf-cli.exe; zembrelconf.exe with the Qt DLLs and plugins it loads
#                         (where the build has the wizard); the templates the configurators fill, as
#                         the example installation's integration holds them, without its stand-in
#                         for the personality generator's own run_vnh.exe
#   .                     errtool.exe, README.txt (Windows), README.md, the example project and
#                         answers, and licences\ with the texts of what the programs carry
#
# The text files get CR LF line ends. `cpack` in the build folder makes
# zembrel-kit-<version>-win64.zip and .msi (win32 for the 32-bit build).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(zemb_kit_arch win64)
  set(zemb_msi_arch x64)
  set(zemb_mingw_name x86-64)
else()
  set(zemb_kit_arch win32)
  set(zemb_msi_arch x86)
  set(zemb_mingw_name i686)
endif()

# Every program and DLL of the folder, by its place in it: the package tests check what each needs.
set(zemb_kit_binaries "")
foreach(program suppresszembrel zembrelconf-cli zembrelconf errtool)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(destination ZembrelIntegration)
  if(program STREQUAL "suppresszembrel")
    set(destination suppresszembrel)
  elseif(program STREQUAL "errtool")
    set(destination .)
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION ${destination})
  if(destination STREQUAL ".")
    list(APPEND zemb_kit_binaries ${program}.exe)
  else()
    list(APPEND zemb_kit_binaries ${destination}/${program}.exe)
  endif()
endforeach()

# Beside suppresszembrel.exe, where it looks for them: rules files without a rule.
set(zemb_kit_generated ${CMAKE_BINARY_DIR}/kit-files)
file(MAKE_DIRECTORY ${zemb_kit_generated})
file(WRITE ${zemb_kit_generated}/suppressions.txt "")
file(WRITE ${zemb_kit_generated}/parameter_suppressions.txt "")
install(FILES ${zemb_kit_generated}/suppressions.txt ${zemb_kit_generated}/parameter_suppressions.txt
        DESTINATION suppresszembrel)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/installation/drives/c/VEL/ZembrelIntegration/
        DESTINATION ZembrelIntegration PATTERN run_vnh.exe EXCLUDE)

# The READMEs with Windows line ends, made again whenever their text changes.
foreach(readme "cmake/windows-README.txt=README.txt" "README.md=README.md")
  string(REGEX REPLACE "=.*" "" source "${readme}")
  string(REGEX REPLACE "^[^=]*=" "" target "${readme}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
  file(READ ${PROJECT_SOURCE_DIR}/${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${zemb_kit_generated}/${target} "${text}")
  install(FILES ${zemb_kit_generated}/${target} DESTINATION .)
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/project ${PROJECT_SOURCE_DIR}/examples/answers DESTINATION examples)

# The licences of what the static programs carry: PCRE2, and GCC's runtime (libgcc, libstdc++, under
# the GPL with the GCC Runtime Library Exception), the MinGW-w64 runtime and winpthreads, as Debian
# ships them.
set(zemb_kit_licences
  "PCRE2.txt=${ZEMB_MINGW_PREFIX}/share/doc/pcre2/LICENCE"
  "GCC-runtime.txt=/usr/share/doc/gcc-mingw-w64-${zemb_mingw_name}-posix-runtime/copyright"
  "GPL-3.txt=/usr/share/common-licenses/GPL-3"
  "MinGW-w64-runtime-and-winpthreads.txt=/usr/share/doc/mingw-w64-${zemb_mingw_name}-dev/copyright")
foreach(licence IN LISTS zemb_kit_licences)
  string(REGEX REPLACE "=.*" "" target "${licence}")
  string(REGEX REPLACE "^[^=]*=" "" source "${licence}")
  if(NOT EXISTS "${source}")
    message(FATAL_ERROR "The kit's licence text ${target} is not at ${source} (scripts/setup installs it)")
  endif()
  install(FILES "${source}" DESTINATION licences RENAME ${target})
endforeach()

# The wizard's Qt: the DLLs it links, the plugins Qt loads from beside it (platforms\: the Windows
# platform; styles\: the native look; imageformats\: the JPEG reader for the logo), stripped, and
# Qt's licence texts. The package tests check that every program and DLL of the folder needs only
# DLLs of the folder or of Windows.
if(TARGET zembrelconf AND ZEMB_QT_MINGW)
  set(zemb_qt_files
    "bin/Qt6Core.dll=ZembrelIntegration" "bin/Qt6Gui.dll=ZembrelIntegration" "bin/Qt6Widgets.dll=ZembrelIntegration"
    "plugins/platforms/qwindows.dll=ZembrelIntegration/platforms"
    "plugins/imageformats/qjpeg.dll=ZembrelIntegration/imageformats")
  file(GLOB styles RELATIVE ${ZEMB_QT_MINGW} ${ZEMB_QT_MINGW}/plugins/styles/*.dll)
  foreach(style IN LISTS styles)
    list(APPEND zemb_qt_files "${style}=ZembrelIntegration/styles")
  endforeach()
  foreach(entry IN LISTS zemb_qt_files)
    string(REGEX REPLACE "=.*" "" source "${entry}")
    string(REGEX REPLACE "^[^=]*=" "" destination "${entry}")
    install(FILES ${ZEMB_QT_MINGW}/${source} DESTINATION ${destination})
    get_filename_component(name ${source} NAME)
    list(APPEND zemb_kit_binaries ${destination}/${name})
    install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/${name}\" COMMAND_ERROR_IS_FATAL ANY)")
  endforeach()
  file(GLOB qt_licences ${ZEMB_QT_MINGW}/share/doc/qt6/LICENSES/*.txt)
  install(FILES ${qt_licences} ${ZEMB_QT_MINGW}/share/doc/qt6/THIRD-PARTY-NOTICES.txt DESTINATION licences/Qt)
  install(FILES ${ZEMB_QT_MINGW}/share/doc/qt6/debian-copyright DESTINATION licences/Qt RENAME copyright)
endif()

set(CPACK_GENERATOR ZIP External)
set(CPACK_PACKAGE_NAME zembrel-kit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME zembrel-kit-${PROJECT_VERSION}-${zemb_kit_arch})
set(CPACK_PACKAGE_VENDOR "Zembrel integration kit maintainers")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/WindowsKitInstaller.cmake)
set(CPACK_ZEMB_MSI_ARCH ${zemb_msi_arch})
set(CPACK_ZEMB_INSTALLER_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/WindowsInstaller.cmake)
include(CPack)
