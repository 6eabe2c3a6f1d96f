# Installing and packaging. `cmake --install` puts the programs and, on Linux, the
# desktop entry, the icons, the project file types, the manual pages and the package
# documents where a desktop looks for them under the install prefix; `cpack -G DEB`
# (scripts/package) makes the Debian package of the same files under /usr.
include(GNUInstallDirs)

# The programs that are installed: the window, the emulator, and the command line
# once it is built.
set(veltrix_installed_programs veltrix veltrix-emulator)
if(TARGET veltrix-cli)
  list(APPEND veltrix_installed_programs veltrix-cli)
endif()
install(TARGETS ${veltrix_installed_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(veltrix_data "${PROJECT_SOURCE_DIR}/data")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(UNIX AND NOT APPLE)
  # A menu entry, its icon (scalable and at 48 and 256 pixels) and one file type per
  # model, so that a double-click on a project file opens it in the program.
  install(FILES "${veltrix_data}/veltrix.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(DIRECTORY "${veltrix_data}/icons/" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  install(FILES "${veltrix_data}/veltrix.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

  # Manual pages and the changelog are installed compressed, reproducibly (no name or
  # time stamp in the gzip header), as Debian's tools expect them.
  # One manual page per installed program, data/man/PROGRAM.1.
  find_program(VELTRIX_GZIP gzip REQUIRED)
  set(veltrix_compressed)
  set(veltrix_manual_pages)
  foreach(source IN LISTS veltrix_installed_programs ITEMS package/changelog)
    if(TARGET ${source})
      set(source man/${source}.1)
    endif()
    get_filename_component(name "${source}" NAME)
    set(compressed "${CMAKE_CURRENT_BINARY_DIR}/compressed/${name}.gz")
    add_custom_command(OUTPUT "${compressed}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/compressed"
      COMMAND ${VELTRIX_GZIP} -9 -n -c "${veltrix_data}/${source}" > "${compressed}"
      DEPENDS "${veltrix_data}/${source}"
      COMMENT "Compressing ${source}")
    list(APPEND veltrix_compressed "${compressed}")
    if(source MATCHES "^man/")
      list(APPEND veltrix_manual_pages "${compressed}")
    endif()
  endforeach()
  add_custom_target(veltrix_compressed_docs ALL DEPENDS ${veltrix_compressed})
  install(FILES ${veltrix_manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES "${veltrix_data}/package/copyright" "${CMAKE_CURRENT_BINARY_DIR}/compressed/changelog.gz"
          DESTINATION ${CMAKE_INSTALL_DOCDIR})

  # The changelog's newest entry is the version being built: a new version needs its
  # entry before it can be packaged.
  file(STRINGS "${veltrix_data}/package/changelog" veltrix_changelog_top LIMIT_COUNT 1)
  if(NOT veltrix_changelog_top MATCHES "^veltrix \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "data/package/changelog starts with '${veltrix_changelog_top}': "
      "add an entry for version ${PROJECT_VERSION} at its top")
  endif()
endif()

# The Debian package. Its dependencies are found by dpkg-shlibdeps from the libraries
# the programs link (the system's Qt, never a copy of it); what the toolkit only loads
# at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for 2-D safety laser scanners")
# One quoted text, its lines as the package shows them (at most 79 characters).
set(CPACK_PACKAGE_DESCRIPTION
"Veltrix designs, transfers and watches the protective areas of the safety laser
scanners of the models 05, 10, 20, 30 and 50: 64 areas per scanner, each with
three nested output fields, edited graphically and in coordinate tables and
saved with the scanner's settings as a project file. It connects to a scanner
over a serial port or Ethernet, reads and writes its areas and parameters, and
shows its live scan, inputs and outputs.

The package also holds veltrix-cli, which reads, writes and verifies many
scanners at once from the command line, and veltrix-emulator, a scanner that
speaks the protocol, for trying the program out without a device.")
set(veltrix_maintainer "The veltrix team <veltrix@example.org>")
set(CPACK_PACKAGE_CONTACT "${veltrix_maintainer}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${veltrix_maintainer}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QT_VERSION_MAJOR EQUAL 6)
  # The platform plugins (the window system connection) and the toolkit's own texts.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
else()
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qttranslations5-l10n")
endif()
include(CPack)
