# Install rules and the Debian package. Under <prefix> (/usr in the package):
#
#   bin/zelvora, bin/zelvora-unzip, bin/zelvora-check    the programs
#   share/zelvora/dados/                 the sample data folder; the program
#                                        reads it when there is no "dados"
#                                        beside it (src/app/DataFolders.h)
#   share/applications/zelvora.desktop   the menu entry
#   share/icons/hicolor/<size>/apps/zelvora.{png,svg}
#   share/metainfo/io.github.zelvora.zelvora.metainfo.xml   AppStream listing
#   share/man/man1/*.1.gz                the manual pages (docs/man)
#   share/doc/zelvora/copyright, changelog.gz
#   share/lintian/overrides/zelvora      lintian's notes, see docs/packaging.md
#
# `cpack -G DEB` in the build folder turns the same layout, under /usr, into
# zelvora_<version>_<arch>.deb.
#
# Included at the very end of the top CMakeLists.txt, so every target of the
# project exists by now.

if(NOT TARGET zelvora)
  # Builds without the Qt program (the fuzz preset) have nothing to install.
  return()
endif()

include(GNUInstallDirs)

set(ZELVORA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(ZELVORA_PACKAGING_BINARY_DIR ${PROJECT_BINARY_DIR}/packaging)
# The package's own folders carry its lower-case name, whatever the project
# is called in CMake.
set(ZELVORA_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zelvora)
set(ZELVORA_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zelvora)
set(ZELVORA_APPSTREAM_ID io.github.zelvora.zelvora)

# --- the programs and the sample data folder --------------------------------

# Installed programs resolve every symbol at start, so their relocation
# tables can be read-only for the whole run (full RELRO, as Debian hardens).
install(TARGETS zelvora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
target_link_options(zelvora PRIVATE LINKER:-z,now)
foreach(tool zelvora-unzip zelvora-check)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    target_link_options(${tool} PRIVATE LINKER:-z,now)
  else()
    message(STATUS "Packaging: target ${tool} is not part of this build, not installed")
  endif()
endforeach()

# The sample data folder is generated into the build tree beside the program.
# It is the same on every architecture, so it goes under share. The program
# only reads it, so everything in it is installed read-only for everyone but
# root.
install(DIRECTORY ${PROJECT_BINARY_DIR}/bin/dados
  DESTINATION ${ZELVORA_INSTALL_DATA_DIR}
  OPTIONAL
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                        GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(CODE "
  if(NOT EXISTS \"${PROJECT_BINARY_DIR}/bin/dados\")
    message(WARNING \"No sample data folder in ${PROJECT_BINARY_DIR}/bin/dados: \"
                    \"the installed program will start with an empty catalog.\")
  endif()")

# --- manual pages, copyright, changelog --------------------------------------

# Debian wants manual pages and changelogs compressed with gzip -9n (no name
# or time stamp in the header, so the package builds the same every time).
find_program(ZELVORA_GZIP gzip REQUIRED)
set(doc_outputs)
foreach(page zelvora zelvora-unzip zelvora-check)
  # The version on each page's title line comes from the project version.
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.1
    ${ZELVORA_PACKAGING_BINARY_DIR}/man/${page}.1 @ONLY)
  set(gz ${ZELVORA_PACKAGING_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${ZELVORA_GZIP} -9n -c ${ZELVORA_PACKAGING_BINARY_DIR}/man/${page}.1 > ${gz}
    DEPENDS ${ZELVORA_PACKAGING_BINARY_DIR}/man/${page}.1
    COMMENT "Compressing the manual page ${page}(1)")
  list(APPEND doc_outputs ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

set(changelog_gz ${ZELVORA_PACKAGING_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${ZELVORA_GZIP} -9n -c ${ZELVORA_PACKAGING_DIR}/changelog > ${changelog_gz}
  DEPENDS ${ZELVORA_PACKAGING_DIR}/changelog
  COMMENT "Compressing the changelog")
list(APPEND doc_outputs ${changelog_gz})
add_custom_target(zelvora_docs ALL DEPENDS ${doc_outputs})

# The changelog's newest entry and the AppStream releases name the version
# being packaged.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${ZELVORA_PACKAGING_DIR}/changelog ${ZELVORA_PACKAGING_DIR}/${ZELVORA_APPSTREAM_ID}.metainfo.xml)
file(STRINGS ${ZELVORA_PACKAGING_DIR}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^zelvora \\(${PROJECT_VERSION}\\) ")
  message(WARNING "packaging/changelog starts with '${changelog_head}', "
                  "not with version ${PROJECT_VERSION}: add an entry for this version")
endif()
file(READ ${ZELVORA_PACKAGING_DIR}/${ZELVORA_APPSTREAM_ID}.metainfo.xml metainfo_text)
string(FIND "${metainfo_text}" "<release version=\"${PROJECT_VERSION}\"" release_at)
if(release_at EQUAL -1)
  message(WARNING "packaging/${ZELVORA_APPSTREAM_ID}.metainfo.xml has no <release> "
                  "for version ${PROJECT_VERSION}: add one")
endif()

install(FILES ${ZELVORA_PACKAGING_DIR}/copyright ${changelog_gz}
  DESTINATION ${ZELVORA_INSTALL_DOC_DIR})
install(FILES ${ZELVORA_PACKAGING_DIR}/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME zelvora)

# --- menu entry and icons ---------------------------------------------------

install(FILES ${ZELVORA_PACKAGING_DIR}/zelvora.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZELVORA_PACKAGING_DIR}/${ZELVORA_APPSTREAM_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(ZELVORA_ICON_SVG ${ZELVORA_PACKAGING_DIR}/icons/zelvora.svg)
install(FILES ${ZELVORA_ICON_SVG}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The bitmap icons are rendered from the SVG at build time, so there is only
# one piece of artwork to keep.
set(ZELVORA_ICON_SIZES 48 64 128 256)
find_program(ZELVORA_RSVG_CONVERT rsvg-convert)
if(ZELVORA_RSVG_CONVERT)
  set(icon_pngs)
  foreach(size ${ZELVORA_ICON_SIZES})
    set(png ${ZELVORA_PACKAGING_BINARY_DIR}/icons/${size}x${size}/zelvora.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ZELVORA_PACKAGING_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${ZELVORA_RSVG_CONVERT} --width=${size} --height=${size} --format=png
              --output=${png} ${ZELVORA_ICON_SVG}
      DEPENDS ${ZELVORA_ICON_SVG}
      COMMENT "Rendering the ${size}x${size} icon"
      VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png}
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(zelvora_icons ALL DEPENDS ${icon_pngs})
else()
  message(WARNING "rsvg-convert (Debian package librsvg2-bin) not found: "
                  "only the scalable icon will be installed")
endif()

# --- Debian package ---------------------------------------------------------

set(ZELVORA_PACKAGE_MAINTAINER "Equipe Zelvora <equipe@zelvora.invalid>"
  CACHE STRING "Maintainer written into the Debian package")

# Values reach cpack exactly as written here (no second round of escaping).
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvora)
set(CPACK_PACKAGE_VENDOR "Equipe Zelvora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZELVORA_PACKAGE_MAINTAINER})
# The Debian generator installs under /usr by its default; it is not set here
# because the value would also apply to the source package.
# Installed programs carry no debug information; the build tree keeps it.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "catalog of public-service exam papers and timed mock exams")

set(CPACK_DEBIAN_PACKAGE_NAME zelvora)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZELVORA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/zelvora/zelvora)
# The summary above is the first line of the package description; this is the
# body beneath it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Zelvora helps people who train for Brazil's public-service entrance exams
(concursos públicos). It shows a catalog of past exam papers that can be
filtered by exam type, organisation and year or searched by a word, copies
an exam's material out of its zip archive into a folder, and runs timed mock
exams with the paper shown as a PDF, scoring the answers at the end.
.
Zelvora ajuda quem se prepara para concursos públicos: catálogo de provas
anteriores com filtros e busca, cópia do material de uma prova e simulados
com cronômetro, correção e resultado.")
# Library dependencies are computed by dpkg-shlibdeps from the installed
# binaries (Qt's X11 platform plugin comes with libqt6gui6). What it cannot see
# is listed here: the fonts the windows are laid out with (Liberation Sans in
# place of Arial, DejaVu Sans as the default sans font) and Qt's SQLite driver,
# a plugin the attempt store loads at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# `cpack --config CPackSourceConfig.cmake`: the source tree alone, without
# build folders or version control.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME zelvora-${PROJECT_VERSION})
string(REGEX REPLACE "([][+.*()^$?|\\])" "\\\\\\1" source_dir_regex "${PROJECT_SOURCE_DIR}")
set(CPACK_SOURCE_IGNORE_FILES
  "^${source_dir_regex}/\\.git"
  "^${source_dir_regex}/\\.cache/"
  "^${source_dir_regex}/build[^/]*/")

include(CPack)
