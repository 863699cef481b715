# SPDX-License-Identifier: MIT
# The installed tree and the Debian package are checked with the other tests.
set(TAVIMO_PACKAGE_CHECKS ${CMAKE_CURRENT_SOURCE_DIR}/tests/package)
add_test(NAME install_tree
         COMMAND ${TAVIMO_PACKAGE_CHECKS}/check_install.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION}
                 ${TAVIMO_PACKAGE_CHECKS}/installed_files.txt)
add_test(NAME debian_package
         COMMAND ${TAVIMO_PACKAGE_CHECKS}/check_deb.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION}
                 ${TAVIMO_PACKAGE_CHECKS}/installed_files.txt ${TAVIMO_TEST_DATA}/main-and-1st.tvm)
set_tests_properties(install_tree debian_package PROPERTIES TIMEOUT 300 ENVIRONMENT "LC_ALL=C.UTF-8")

# The programs of the build tree: no run path that the working folder could answer.
add_test(NAME build_run_paths
         COMMAND ${TAVIMO_PACKAGE_CHECKS}/check_run_paths.sh $<TARGET_FILE:tavimo> $<TARGET_FILE:tavimo-calc>
                 $<TARGET_FILE:tavimo-draw>)
add_test(NAME planted_library
         COMMAND ${TAVIMO_PACKAGE_CHECKS}/check_planted_library.sh ${CMAKE_BINARY_DIR} ${TAVIMO_TEST_DATA}/main-and-1st.tvm)
