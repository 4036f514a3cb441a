# SPDX-License-Identifier: Zlib
# Run by cpack after it has written the packages.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/ar_modes.sh ${package} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
