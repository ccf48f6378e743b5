# Install rules and the Debian package.
#
#   <prefix>/lib/zelvora/zelvora          the program
#   <prefix>/lib/zelvora/dados/           the sample data folder, beside the program
#                                         (the program looks for "dados" next to its
#                                         own resolved path)
#   <prefix>/bin/zelvora                  relative symbolic link to ../lib/zelvora/zelvora
#   <prefix>/bin/zelvora-unzip, zelvora-check   command-line tools, when built
#   <prefix>/share/applications/zelvora.desktop
#   <prefix>/share/icons/hicolor/<size>/apps/zelvora.{png,svg}
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
# Fixed on purpose: the data folder must sit beside the program, so the
# multiarch library folder that GNUInstallDirs would choose on Debian is not used.
set(ZELVORA_INSTALL_PROGRAM_DIR lib/zelvora)

# --- the program and its data folder ----------------------------------------

install(TARGETS zelvora RUNTIME DESTINATION ${ZELVORA_INSTALL_PROGRAM_DIR})

# The sample data folder is generated into the build tree beside the program.
# The program only reads it, so everything in it is installed read-only for
# everyone but root.
install(DIRECTORY ${PROJECT_BINARY_DIR}/bin/dados
  DESTINATION ${ZELVORA_INSTALL_PROGRAM_DIR}
  OPTIONAL
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                        GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(CODE "
  if(NOT EXISTS \"${PROJECT_BINARY_DIR}/bin/dados\")
    message(WARNING \"No sample data folder in ${PROJECT_BINARY_DIR}/bin/dados: \"
                    \"the installed program will start with an empty catalog.\")
  endif()")

# bin/zelvora is a relative link, so the installed tree can be moved (DESTDIR,
# package staging) and the link still points at the program beside its data.
# A link made here in the build tree is installed as a link, not as a copy.
file(RELATIVE_PATH zelvora_link_target
  /${CMAKE_INSTALL_BINDIR} /${ZELVORA_INSTALL_PROGRAM_DIR}/zelvora)
file(MAKE_DIRECTORY ${ZELVORA_PACKAGING_BINARY_DIR}/bin)
file(CREATE_LINK ${zelvora_link_target}
  ${ZELVORA_PACKAGING_BINARY_DIR}/bin/zelvora SYMBOLIC)
install(PROGRAMS ${ZELVORA_PACKAGING_BINARY_DIR}/bin/zelvora
  DESTINATION ${CMAKE_INSTALL_BINDIR})

# Command-line companions, built by the tools folder.
foreach(tool zelvora-unzip zelvora-check)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  else()
    message(STATUS "Packaging: target ${tool} is not part of this build, not installed")
  endif()
endforeach()

# --- menu entry and icons ---------------------------------------------------

install(FILES ${ZELVORA_PACKAGING_DIR}/zelvora.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

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
