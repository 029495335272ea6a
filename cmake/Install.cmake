# Installation and packaging rules.
#
# `cmake --install build/default --prefix /usr/local` places the program, its desktop entry,
# its AppStream metadata, its icons in the hicolor theme, a manual page and the copyright
# file, as a Linux desktop expects them. `cpack -G DEB` (run in the build folder) wraps the
# same files, installed under /usr and stripped, into brightwell_<version>_<arch>.deb.
include(GNUInstallDirs)

set(BRIGHTWELL_APP_ID "example.brightwell.Brightwell")
set(BRIGHTWELL_PACKAGING_DIR "${CMAKE_SOURCE_DIR}/packaging")
set(BRIGHTWELL_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/brightwell")
set(BRIGHTWELL_ICON_DIR "${CMAKE_INSTALL_DATADIR}/icons/hicolor")

install(TARGETS brightwell RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${BRIGHTWELL_PACKAGING_DIR}/${BRIGHTWELL_APP_ID}.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${BRIGHTWELL_PACKAGING_DIR}/${BRIGHTWELL_APP_ID}.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The icon drawn at every size, named after the application id as the theme expects; the
# 2x drawing of the largest one fills the 512x512 folder.
foreach(size IN ITEMS 16 32 48 64 128 256)
  install(FILES "${CMAKE_SOURCE_DIR}/resources/pictures/icon-${size}.png"
    DESTINATION "${BRIGHTWELL_ICON_DIR}/${size}x${size}/apps"
    RENAME "${BRIGHTWELL_APP_ID}.png")
endforeach()
install(FILES "${CMAKE_SOURCE_DIR}/resources/pictures/icon-256@2x.png"
  DESTINATION "${BRIGHTWELL_ICON_DIR}/512x512/apps"
  RENAME "${BRIGHTWELL_APP_ID}.png")
install(FILES "${BRIGHTWELL_PACKAGING_DIR}/${BRIGHTWELL_APP_ID}.svg"
  DESTINATION "${BRIGHTWELL_ICON_DIR}/scalable/apps")

# The manual page, the copyright file and the changelog. Debian wants the first and the last
# compressed with gzip -9n (no name, no time stamp), so that every build makes the same bytes.
find_program(BRIGHTWELL_GZIP gzip)
function(brightwell_install_gzipped source destination)
  set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
  get_filename_component(name "${source}" NAME)
  if(NOT BRIGHTWELL_GZIP)
    message(WARNING "gzip was not found: ${name}.gz is left out of the installation")
    return()
  endif()
  set(output "${CMAKE_BINARY_DIR}/packaging/${name}.gz")
  file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/packaging")
  execute_process(COMMAND "${BRIGHTWELL_GZIP}" -9nc "${source}" OUTPUT_FILE "${output}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${source}")
  endif()
  install(FILES "${output}" DESTINATION "${destination}")
endfunction()

brightwell_install_gzipped("${BRIGHTWELL_PACKAGING_DIR}/brightwell.1" "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${BRIGHTWELL_PACKAGING_DIR}/copyright" DESTINATION "${BRIGHTWELL_DOC_DIR}")
# A version without a Debian revision makes a native package, whose changelog is changelog.gz.
brightwell_install_gzipped("${BRIGHTWELL_PACKAGING_DIR}/changelog" "${BRIGHTWELL_DOC_DIR}")

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brightwell)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Brightwell Software")
set(CPACK_PACKAGE_CONTACT "Brightwell Software <packages@brightwell.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.brightwell.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "practice tests for the Canadian citizenship knowledge test")
# Debian shows these lines as they are: keep them under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION [=[Brightwell helps you prepare for the multiple-choice Canadian citizenship
knowledge test. It carries its own bank of 165 questions on Canada's history,
geography and government, builds random practice tests of 5 to 165 questions,
marks them and walks you through the answers you got wrong. It remembers
across runs which questions you last answered wrongly, so that you can drill
exactly those.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (from dpkg-dev) adds the libraries the program links: Qt, libstdc++, libc.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the linker cannot see: the Liberation fonts, the metric twins of the fonts the layout is
# drawn for, and Qt's own catalogues, whose French one the program reads where they are installed
# rather than decompress its own copy at every start. Qt's X11 platform plugin comes with
# libqt6gui6; its Wayland plugin, with which the program runs natively on a Wayland desktop
# rather than through Xwayland (and at all where a desktop has no Xwayland), is recommended.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The staged folders get the builder's umask; the package's must be rwxr-xr-x.
set(CPACK_PRE_BUILD_SCRIPTS "${BRIGHTWELL_PACKAGING_DIR}/cpack_staging_modes.cmake")
include(CPack)
