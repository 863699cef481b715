# SPDX-License-Identifier: MIT
# The version of project() as a header for every program.
configure_file(${CMAKE_CURRENT_LIST_DIR}/tavimo_version.h.in
               ${CMAKE_CURRENT_BINARY_DIR}/generated/tavimo_version.h @ONLY)
# The calculator and the windows tell it; the core itself has no version.
target_include_directories(tavimo_core INTERFACE ${CMAKE_CURRENT_BINARY_DIR}/generated)
