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
