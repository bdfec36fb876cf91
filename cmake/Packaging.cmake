# What `cmake --install` puts where, and the Debian package CPack makes of it (cpack --preset release).
#
#   <prefix>/bin                     zembrelconf, zembrelconf-cli, errtool; suppresszembrel is a
#                                    launcher that starts the program in the kit's program directory,
#                                    because suppresszembrel looks for its rules files beside itself
#   <prefix>/libexec/zembrel-kit     suppresszembrel, and suppressions.txt and
#                                    parameter_suppressions.txt as links to the rules files below
#   <etc>/zembrel-kit                the rules files an administrator edits: empty at first (no rule,
#                                    nothing suppressed), never replaced by a later install; <etc> is
#                                    /etc for the prefix /usr and <prefix>/etc for any other
#   <prefix>/share/doc/zembrel-kit   README.md, copyright, and examples/: the example project with its rules
#                                    files and error-file descriptions, the example installation,
#                                    answers files for zembrelconf-cli
#
# Everything is placed relative to the prefix given at install time, so `cmake --install <build>
# --prefix <dir>` works into any directory, and into DESTDIR.
if(CMAKE_CROSSCOMPILING OR WIN32)
  include(WindowsKit) # the Windows programs are the Windows kit's folder, zip and installer
  return()
endif()
include(GNUInstallDirs)

set(zemb_kit zembrel-kit)
set(zemb_program_dir ${CMAKE_INSTALL_LIBEXECDIR}/${zemb_kit})
set(zemb_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${zemb_kit})

foreach(program zembrelconf zembrelconf-cli errtool)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET suppresszembrel)
  install(TARGETS suppresszembrel RUNTIME DESTINATION ${zemb_program_dir})
  file(RELATIVE_PATH ZEMB_LAUNCHER_TO_PROGRAM /p/${CMAKE_INSTALL_BINDIR} /p/${zemb_program_dir})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/suppresszembrel-launcher.sh.in
                 ${CMAKE_BINARY_DIR}/packaging/suppresszembrel @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/suppresszembrel DESTINATION ${CMAKE_INSTALL_BINDIR})

  # The rules files: created empty where none is yet, linked from the program directory.
  install(CODE "set(zemb_program_dir \"${zemb_program_dir}\")")
  install(CODE [[
    if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
      set(zemb_etc "/etc/zembrel-kit")
    else()
      set(zemb_etc "${CMAKE_INSTALL_PREFIX}/etc/zembrel-kit")
    endif()
    set(zemb_programs "${CMAKE_INSTALL_PREFIX}/${zemb_program_dir}")
    file(MAKE_DIRECTORY "$ENV{DESTDIR}${zemb_etc}")
    foreach(rules suppressions.txt parameter_suppressions.txt)
      if(NOT EXISTS "$ENV{DESTDIR}${zemb_etc}/${rules}")
        message(STATUS "Installing: $ENV{DESTDIR}${zemb_etc}/${rules} (no rules)")
        file(TOUCH "$ENV{DESTDIR}${zemb_etc}/${rules}")
      endif()
      file(RELATIVE_PATH link_target "${zemb_programs}" "${zemb_etc}/${rules}")
      message(STATUS "Installing: $ENV{DESTDIR}${zemb_programs}/${rules} -> ${link_target}")
      file(CREATE_LINK "${link_target}" "$ENV{DESTDIR}${zemb_programs}/${rules}" SYMBOLIC)
      list(APPEND CMAKE_INSTALL_MANIFEST_FILES "$ENV{DESTDIR}${zemb_etc}/${rules}"
                                               "$ENV{DESTDIR}${zemb_programs}/${rules}")
    endforeach()
  ]])
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${zemb_doc_dir})
# Debian policy: every package names its copyright and licence in /usr/share/doc/<package>/copyright.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/copyright DESTINATION ${zemb_doc_dir})
# suppresszembrel carries PCRE2 linked in (app/CMakeLists.txt): its licence, with the copyright
# notice its terms ask a binary to reproduce, goes with it.
if(ZEMB_PCRE2_ARCHIVE AND EXISTS /usr/share/doc/libpcre2-8-0/copyright)
  install(FILES /usr/share/doc/libpcre2-8-0/copyright DESTINATION ${zemb_doc_dir} RENAME PCRE2-copyright)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${zemb_doc_dir}/examples USE_SOURCE_PERMISSIONS)

# The Debian package. Its dependencies are found from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${zemb_kit})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Zembrel analyser integration kit: suppresszembrel, errtool and the configurators")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "suppresszembrel appends suppression records to the analyser's error files for the diagnostics\n"
       "that its rules match; zembrelconf (a wizard) and zembrelconf-cli (unattended) write the files\n"
       "that hook the analyser and suppresszembrel into Zembrel's build; errtool reads and makes\n"
       "error files.")
set(CPACK_PACKAGE_CONTACT "Zembrel integration kit maintainers <zembrel-kit@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # zembrel-kit_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The install runs with the package's prefix and DESTDIR, so the rules files land in /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  # An administrator's rules survive upgrades: dpkg keeps edited configuration files.
  file(WRITE ${CMAKE_BINARY_DIR}/packaging/conffiles
       "/etc/zembrel-kit/suppressions.txt\n/etc/zembrel-kit/parameter_suppressions.txt\n")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/conffiles)
endif()
include(CPack)
