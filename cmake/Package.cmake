# SPDX-License-Identifier: MIT
# `make package`: a Debian package of what cmake/Install.cmake installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavimo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tavimo developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "force-offs and permissive windows of an actuated-coordinated signal")
set(CPACK_PACKAGE_DESCRIPTION
    "For one signalised intersection in actuated-coordinated operation, Tavimo computes every
phase's force-off and permissive window, draws the ring-barrier chart, reads and writes .tvm
project files, imports Synchro's UTDF files and prints. tavimo-calc does the same calculation
on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tavimo developers <tavimo@example.org>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAVIMO_HOMEPAGE})
# The libraries come from dpkg-shlibdeps; Qt's display plugins are loaded at run time,
# so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/deb/postinst ${CMAKE_CURRENT_LIST_DIR}/deb/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
