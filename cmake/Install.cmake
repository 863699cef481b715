# SPDX-License-Identifier: MIT
# Installs Tavimo as a desktop program: the two programs, the desktop entry, the icons,
# the AppStream metainfo, the .tvm file type, the man pages and the user guide.
include(GNUInstallDirs)

# One reverse-DNS id names the desktop entry, the metainfo, the icons and the MIME package.
set(TAVIMO_APP_ID org.tavimo.Tavimo)
set(TAVIMO_MIME_TYPE application/x-tavimo-project)
set(TAVIMO_HOMEPAGE "https://tavimo.example.org" CACHE STRING
    "Tavimo's web address; the metainfo's screenshots are under <address>/screenshots/")
# The date of the release that project(... VERSION ...) names: change the two together.
set(TAVIMO_RELEASE_DATE 2026-12-09)
set(TAVIMO_DESKTOP_DIR ${CMAKE_CURRENT_SOURCE_DIR}/resources/desktop)
set(TAVIMO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tavimo)

install(TARGETS tavimo tavimo-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# tavimo-calc's drawing library, private to it: it looks in ../lib/tavimo beside its bin.
install(TARGETS tavimo-draw LIBRARY DESTINATION lib/tavimo)

install(FILES ${TAVIMO_DESKTOP_DIR}/${TAVIMO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVIMO_DESKTOP_DIR}/${TAVIMO_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${TAVIMO_APP_ID}.xml)
configure_file(${TAVIMO_DESKTOP_DIR}/${TAVIMO_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/desktop/${TAVIMO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/desktop/${TAVIMO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/guide/guide.html DESTINATION ${TAVIMO_DOC_DIR})
install(FILES LICENSE DESTINATION ${TAVIMO_DOC_DIR} RENAME copyright)

# The icons: the scalable drawing is the one source; the PNG sizes are rendered from it
# at build time, so they can never drift apart.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_svg ${TAVIMO_DESKTOP_DIR}/${TAVIMO_APP_ID}.svg)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(desktop_outputs)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${TAVIMO_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
    DEPENDS ${icon_svg} VERBATIM)
  list(APPEND desktop_outputs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The man pages are made from the programs' own --help and --version, so they say what
# the programs say; compressed as Debian installs man pages.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
function(tavimo_man_page program summary)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1 --name=${summary}
            --include=${TAVIMO_DESKTOP_DIR}/${program}.h2m --output=${page} $<TARGET_FILE:${program}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${program} ${TAVIMO_DESKTOP_DIR}/${program}.h2m VERBATIM)
  set(desktop_outputs ${desktop_outputs} ${page}.gz PARENT_SCOPE)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
tavimo_man_page(tavimo "force-offs and permissive windows of an actuated-coordinated signal")
tavimo_man_page(tavimo-calc "calculate a Tavimo signal on the command line")

add_custom_target(tavimo_desktop_files ALL DEPENDS ${desktop_outputs})

# The window test that holds the rendered icon against the logo drawn in code.
if(TARGET test_app_icon)
  target_compile_definitions(test_app_icon PRIVATE
    TAVIMO_BUILT_ICON_32="${CMAKE_CURRENT_BINARY_DIR}/icons/32x32/${TAVIMO_APP_ID}.png")
  add_dependencies(test_app_icon tavimo_desktop_files)
endif()
