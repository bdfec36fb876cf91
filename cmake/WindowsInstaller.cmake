# Makes the kit's Windows installer from a staged kit folder, with wixl and msibuild (msitools):
#
#   cmake -DSTAGE=<kit folder> -DOUTPUT=<file.msi> -DVERSION=<x.y.z> -DARCH=x64|x86 -DWORK=<folder>
#         -P cmake/WindowsInstaller.cmake
#
# The folder has the layout the configurators expect below the integration location:
# suppresszembrel\ (the program and its two rules files), ZembrelIntegration\ (the templates, the
# configurators; zembrelconf.exe where the kit has the wizard, which then gets a Start menu entry),
# and the rest at the top. Every file of the folder is installed below INSTALLDIR.
cmake_minimum_required(VERSION 3.25)
foreach(variable STAGE OUTPUT VERSION ARCH WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "WindowsInstaller.cmake needs -D${variable}=...")
  endif()
endforeach()
foreach(tool wixl wixl-heat msibuild)
  find_program(zemb_${tool} ${tool} REQUIRED)
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

set(ZEMB_MSI_VERSION ${VERSION})
set(ZEMB_MSI_ARCH ${ARCH})
# Windows Installer's component attributes: Permanent (16), NeverOverwrite (128), 64-bit (256).
set(rules_attributes 144)
if(ARCH STREQUAL "x64")
  set(ZEMB_MSI_PROGRAM_FILES ProgramFiles64Folder)
  set(ZEMB_MSI_WIN64 " Win64=\"yes\"")
  set(heat_win64 --win64)
  set(win64_define yes)
  math(EXPR rules_attributes "${rules_attributes} + 256")
elseif(ARCH STREQUAL "x86")
  set(ZEMB_MSI_PROGRAM_FILES ProgramFilesFolder)
  set(ZEMB_MSI_WIN64 "")
  set(heat_win64)
  set(win64_define no)
else()
  message(FATAL_ERROR "ARCH is x64 or x86, not ${ARCH}")
endif()

set(ZEMB_MSI_MENU "")
set(ZEMB_MSI_MENU_REF "")
if(EXISTS "${STAGE}/ZembrelIntegration/zembrelconf.exe")
  string(CONCAT ZEMB_MSI_MENU
    "      <Directory Id=\"ProgramMenuFolder\">\n"
    "        <Directory Id=\"MENUDIR\" Name=\"Zembrel Kit\">\n"
    "          <Component Id=\"MenuEntry\" Guid=\"*\">\n"
    "            <Shortcut Id=\"WizardShortcut\" Name=\"Zembrel Configurator\"\n"
    "                      Description=\"Hooks the analyser and suppresszembrel into Zembrel's build\"\n"
    "                      Target=\"[INTEGRATIONDIR]zembrelconf.exe\" WorkingDirectory=\"INTEGRATIONDIR\"/>\n"
    "            <RemoveFolder Id=\"RemoveMenuDir\" On=\"uninstall\"/>\n"
    "            <RegistryValue Root=\"HKLM\" Key=\"Software\\Zembrel Kit\" Name=\"StartMenuEntry\" Type=\"integer\" Value=\"1\" KeyPath=\"yes\"/>\n"
    "          </Component>\n"
    "        </Directory>\n"
    "      </Directory>")
  set(ZEMB_MSI_MENU_REF "      <ComponentRef Id=\"MenuEntry\"/>")
endif()
configure_file("${CMAKE_CURRENT_LIST_DIR}/windows-installer.wxs.in" "${WORK}/product.wxs" @ONLY)

# Every file but the rules files, which the product lists itself.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
list(REMOVE_ITEM files suppresszembrel/suppressions.txt suppresszembrel/parameter_suppressions.txt)
list(SORT files)
set(listing "")
foreach(file IN LISTS files)
  string(APPEND listing "${STAGE}/${file}\n")
endforeach()
file(WRITE "${WORK}/files.txt" "${listing}")
execute_process(
  COMMAND ${zemb_wixl-heat} --directory-ref INSTALLDIR --component-group KitFiles --var var.Stage -p "${STAGE}/" ${heat_win64}
  INPUT_FILE "${WORK}/files.txt" OUTPUT_FILE "${WORK}/files.wxs" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wixl-heat failed (${status})")
endif()

get_filename_component(OUTPUT "${OUTPUT}" ABSOLUTE)
file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND ${zemb_wixl} -a ${ARCH} -D "Stage=." -D "Win64=${win64_define}" -o "${OUTPUT}"
          "${WORK}/product.wxs" "${WORK}/files.wxs"
  WORKING_DIRECTORY "${STAGE}" # wixl takes only relative sources
  RESULT_VARIABLE status ERROR_VARIABLE errors)
# wixl can end with 0 without writing the package when a table rejects a row.
if(NOT status EQUAL 0 OR NOT EXISTS "${OUTPUT}")
  message(FATAL_ERROR "wixl failed (${status}): ${errors}")
endif()

# What wixl 0.101 cannot say: the rules files survive upgrades and the uninstall, ZembDir is
# written only when ZEMBDIR is given (or kept from the installed version), and the uninstall removes
# the files the configurators wrote into the kit's folder (RemoveFile, install mode 2: on removal).
# An upgrade removes the older version after it has installed the newer one: the components both
# versions have (the written files' among them) then stay, and so does the configuration.
set(written_files
  "WrittenCustomPs:WRITTENSUPPDIR:custom.p_s"
  "WrittenCustomSa:WRITTENSUPPDIR:custom_sa.bat"
  "WrittenDefaultPs:WRITTENSUPPDIR:suppresszembrel.p_s"
  "WrittenClBat:WRITTENMSVCDIR:cl.bat"
  "WrittenMsvcPa:WRITTENMSVCDIR:zembrel-msvc.p_a"
  "WrittenVxPa:WRITTENVXDIR:zembrel-vxworks.p_a"
  "WrittenWrapperMsvc:WRITTENWRAPPERDIR:wrapper_msvc.cfg"
  "WrittenWrapperDiab:WRITTENWRAPPERDIR:wrapper_diab.cfg"
  "WrittenWrapperGnu:WRITTENWRAPPERDIR:wrapper_gnu.cfg"
  "WrittenDiabPc:WRITTENDIABDIR:dcc.p_c"   # the personality generator's, for VxWorks with Diab
  "WrittenDiabDir:WRITTENDIABDIR:"         # and its folder, when that is empty then
  "WrittenGnuPc:WRITTENGNUDIR:gcc.p_c"
  "WrittenGnuDir:WRITTENGNUDIR:")
set(removals "")
foreach(entry IN LISTS written_files)
  string(REPLACE ":" ";" entry "${entry}")
  list(GET entry 0 key)
  list(GET entry 1 directory)
  list(GET entry 2 name)
  list(APPEND removals
    "INSERT INTO RemoveFile (FileKey, Component_, FileName, DirProperty, InstallMode) VALUES ('${key}', 'WrittenFiles', '${name}', '${directory}', 2)")
endforeach()
# ZEMBDIR is a folder the configurators read Zembrel's files from: a drive or network path. Any
# other value stops the installer before it changes anything, with the message in the log of a
# silent install (an error custom action, type 19: a launch condition's text shows only in a dialog).
# The texts hold no ";", which would split them as CMake lists.
set(malformed_zembdir
  [[ZEMBDIR AND NOT ((ZEMBDIR >< ":\" OR ZEMBDIR << "\\") AND NOT (ZEMBDIR >< "<" OR ZEMBDIR >< ">" OR ZEMBDIR >< "|" OR ZEMBDIR >< "*" OR ZEMBDIR >< "?"))]])
set(malformed_message
  [=[ZEMBDIR must be a full folder path such as C:\Zembrel or \\server\share\Zembrel, without < > | * or ?, not: [ZEMBDIR]]=])
list(APPEND removals
  "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('MalformedZembDir', 19, '', '${malformed_message}')"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('MalformedZembDir', '${malformed_zembdir}', 53)"
  "INSERT INTO InstallUISequence (Action, Condition, Sequence) VALUES ('MalformedZembDir', '${malformed_zembdir}', 53)")
foreach(query ${removals}
    "UPDATE Component SET Attributes = ${rules_attributes} WHERE Component = 'MessageRules'"
    "UPDATE Component SET Attributes = ${rules_attributes} WHERE Component = 'ParameterRules'"
    "UPDATE Component SET Condition = 'ZEMBDIR' WHERE Component = 'ZembDirValue'"
    "UPDATE InstallExecuteSequence SET Sequence = 6650 WHERE Action = 'RemoveExistingProducts'")
  execute_process(COMMAND ${zemb_msibuild} "${OUTPUT}" -q "${query}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "msibuild failed on: ${query}")
  endif()
endforeach()
message(STATUS "Windows installer: ${OUTPUT}")
