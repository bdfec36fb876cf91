# CPack's External generator runs this on the kit folder it staged (WindowsKit.cmake): the installer
# is made from that folder by WindowsInstaller.cmake, and CPack copies it beside the zip.
set(stage "${CPACK_TEMPORARY_DIRECTORY}")
if(NOT EXISTS "${stage}/suppresszembrel/suppresszembrel.exe")
  message(FATAL_ERROR "no staged kit folder in ${stage}")
endif()
set(msi "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi")
execute_process(
  COMMAND "${CMAKE_COMMAND}" "-DSTAGE=${stage}" "-DOUTPUT=${msi}" "-DVERSION=${CPACK_PACKAGE_VERSION}"
          "-DARCH=${CPACK_ZEMB_MSI_ARCH}" "-DWORK=${CPACK_TOPLEVEL_DIRECTORY}/msi-work" -P "${CPACK_ZEMB_INSTALLER_SCRIPT}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the installer could not be made from ${stage}")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
