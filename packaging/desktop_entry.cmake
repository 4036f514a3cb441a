# SPDX-License-Identifier: Zlib
# Run at install time: writes the menu entry, which names the command by its absolute path
# (known only then) so that it starts without the prefix's games/ on the PATH. The path is
# quoted and escaped by the freedesktop.org desktop entry rules, whatever the prefix holds.
# In: PLORVIK_DESKTOP_TEMPLATE, PLORVIK_DESKTOP_FILE, PLORVIK_COMMAND and CMAKE_INSTALL_PREFIX.
set(command "${CMAKE_INSTALL_PREFIX}/${PLORVIK_COMMAND}")
# Inside the quotes a backslash, double quote, backquote or dollar sign takes a backslash;
string(REPLACE "\\" "\\\\" command "${command}")
string(REPLACE "\"" "\\\"" command "${command}")
string(REPLACE "`" "\\`" command "${command}")
string(REPLACE "$" "\\$" command "${command}")
# then, as in any string value, each backslash is doubled again; a % would start a field code.
string(REPLACE "\\" "\\\\" command "${command}")
string(REPLACE "%" "%%" command "${command}")
set(PLORVIK_EXEC "\"${command}\"")
configure_file("${PLORVIK_DESKTOP_TEMPLATE}" "${PLORVIK_DESKTOP_FILE}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE FILES "${PLORVIK_DESKTOP_FILE}")
