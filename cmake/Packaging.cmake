# Install rules and packages. Included last from the top-level CMakeLists.txt,
# so every program that may be installed already exists as a target.
#
# Linux (GNUInstallDirs): bin/quorvell and bin/quorvell-cli, the desktop entry,
# the AppStream metainfo, the icons (the SVG and PNGs rendered from it at
# build time), and the README and licence; `cpack` makes a Debian package
# (dependencies worked out from the binaries by dpkg-shlibdeps) and a .tar.gz
# of the same tree. Windows: the program folder that WindowsDeploy.cmake
# installs, with the README and licence, as one zip.
#
# Only the programs a player runs have install rules: the tests, the demo
# generator and the benchmarks stay in the build folder.
if(NOT QUORVELL_GUI)
  return()
endif()

# The desktop entry's id. Every file installed for the desktop is named after
# it, and the program hands it to QGuiApplication::setDesktopFileName.
set(QUORVELL_APP_ID io.github.quorvell.Quorvell)
target_compile_definitions(quorvell_app PRIVATE QUORVELL_APP_ID="${QUORVELL_APP_ID}")
set(QUORVELL_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

set(quorvell_programs quorvell)
if(TARGET quorvell-cli)
  list(APPEND quorvell_programs quorvell-cli)
endif()

if(WIN32)
  # quorvell.exe itself and Qt beside it come from quorvell_windows_deploy.
  if(TARGET quorvell-cli)
    install(TARGETS quorvell-cli RUNTIME DESTINATION .)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
else()
  include(GNUInstallDirs)
  install(TARGETS ${quorvell_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  install(FILES ${QUORVELL_PACKAGING_DIR}/${QUORVELL_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

  # The metainfo names the programs the package provides, so it follows
  # which of them this build has.
  list(TRANSFORM quorvell_programs PREPEND "    <binary>" OUTPUT_VARIABLE binaries)
  list(TRANSFORM binaries APPEND "</binary>")
  list(JOIN binaries "\n" QUORVELL_PROVIDED_BINARIES)
  configure_file(${QUORVELL_PACKAGING_DIR}/${QUORVELL_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/packaging/${QUORVELL_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${QUORVELL_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # Icons: the SVG as it is, and the fixed sizes that menus and task bars
  # without an SVG renderer look for.
  set(icon_svg ${PROJECT_SOURCE_DIR}/resources/quorvell_icon.svg)
  set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${icon_svg} DESTINATION ${icon_dir}/scalable/apps RENAME ${QUORVELL_APP_ID}.svg)
  find_program(QUORVELL_RSVG_CONVERT rsvg-convert)
  if(NOT QUORVELL_RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert not found: it renders the icon's PNG sizes "
      "(Debian package librsvg2-bin)")
  endif()
  set(icon_pngs "")
  foreach(size 16 32 48 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${QUORVELL_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${QUORVELL_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${icon_svg}
      DEPENDS ${icon_svg}
      COMMENT "Rendering the ${size} px icon"
      VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${icon_dir}/${size}x${size}/apps)
  endforeach()
  add_custom_target(quorvell_icons ALL DEPENDS ${icon_pngs})

  # Not CMAKE_INSTALL_DOCDIR: that is named after the project, capital Q.
  # The copyright file (machine-readable, DEP-5) is what Debian looks for.
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
                ${QUORVELL_PACKAGING_DIR}/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvell)

  # The man pages and the Debian changelog, compressed as Debian wants them:
  # gzip -9n, no name or time stamp, so the same sources give the same bytes.
  find_program(QUORVELL_GZIP gzip REQUIRED)
  set(gzipped "")
  foreach(source quorvell.1 quorvell-cli.1 changelog)
    set(gz ${CMAKE_BINARY_DIR}/packaging/${source}.gz)
    add_custom_command(OUTPUT ${gz}
      COMMAND ${CMAKE_COMMAND} -E copy ${QUORVELL_PACKAGING_DIR}/${source}
              ${CMAKE_BINARY_DIR}/packaging/${source}
      COMMAND ${QUORVELL_GZIP} -9nf ${CMAKE_BINARY_DIR}/packaging/${source}
      DEPENDS ${QUORVELL_PACKAGING_DIR}/${source}
      VERBATIM)
    list(APPEND gzipped ${gz})
  endforeach()
  add_custom_target(quorvell_packaging_docs ALL DEPENDS ${gzipped})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/quorvell.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  if(TARGET quorvell-cli)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/quorvell-cli.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
  # A native package's Debian changelog is changelog.gz.
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvell)

  set(CPACK_GENERATOR DEB TGZ)
  # Installed files are stripped in the package whatever the build type; a
  # Release build has no debug information to begin with.
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # A tool for a game, not a game: lintian wants no "games" section then.
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/quorvell/quorvell)
endif()

set(CPACK_PACKAGE_NAME quorvell)
set(CPACK_PACKAGE_VENDOR "The Quorvell developers")
set(CPACK_PACKAGE_CONTACT "The Quorvell developers <quorvell@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Switch custom textures on and off in Thief - Deadly Shadows")
# Lines of at most 80 characters, as the Debian control file shows them.
set(CPACK_PACKAGE_DESCRIPTION
  "Quorvell lists the custom high-resolution DDS textures of the game
Thief - Deadly Shadows and switches them on and off in the game's map files,
one by one or as named presets, from its window or from the command line.")
# Packages land in the build folder's packages/, away from the staging tree.
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
include(CPack)
