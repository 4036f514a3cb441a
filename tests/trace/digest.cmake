# SPDX-License-Identifier: Zlib
# Runs the world trace and compares the SHA-256 of what it prints with the digest kept in
# the repository:
#   cmake -DTRACE=plorvik_world_trace -DFRAMES=N -DDIGEST_FILE=world_trace.sha256 -P digest.cmake
execute_process(COMMAND ${TRACE} ${FRAMES} OUTPUT_VARIABLE trace RESULT_VARIABLE status ERROR_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TRACE} ${FRAMES} failed: ${status}")
endif()
string(SHA256 digest "${trace}")
file(STRINGS ${DIGEST_FILE} expected REGEX "^[0-9a-f]+$")
if(NOT digest STREQUAL expected)
  message(FATAL_ERROR "The world trace of ${FRAMES} frames now has the digest\n  ${digest}\n"
    "where ${DIGEST_FILE} has\n  ${expected}\n"
    "The simulation changed. If that is meant, write the new digest into that file in the same "
    "commit and say why there.")
endif()
