# Two Debian packages from one build, made by CPack (scripts/package.sh):
# korvane, the game, from the Runtime component, and libkorvane-dev, the
# engine for game makers, from the Development component. The game's
# dependencies are computed from the libraries its binary links.

# Debian's changelog wants the release date as RFC 2822, with its weekday.
execute_process(COMMAND date -u -R -d "${KO_RELEASE_DATE}"
                OUTPUT_VARIABLE KO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read the release date ${KO_RELEASE_DATE}")
endif()
set(KO_PACKAGE_MAINTAINER "The Korvane developers <developers@korvane.invalid>"
    CACHE STRING "The packages' maintainer, a name and an address")

# Every package carries its copyright and the changelog, compressed with
# neither name nor time in it, so that the same tree gives the same bytes.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog
               @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
                   COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/packaging/changelog >
                           ${PROJECT_BINARY_DIR}/packaging/changelog.gz
                   DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog VERBATIM)
add_custom_target(korvane_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
foreach(pair korvane:Runtime libkorvane-dev:Development)
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 package)
  list(GET pair 1 component)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()
# Stripped as Debian strips its packages: no debugging symbols and no
# compiler notes; the libraries keep the symbols that games link against.
install(CODE "
  set(strip ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note)
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  execute_process(COMMAND \${strip} --strip-unneeded \"\${root}/${KO_INSTALL_GAMEDIR}/korvane\"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR \"cannot strip the game\")
  endif()" COMPONENT Runtime)
install(CODE "
  set(strip ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note)
  file(GLOB libraries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/*.a\")
  foreach(library \${libraries})
    execute_process(COMMAND \${strip} --strip-debug --enable-deterministic-archives \${library}
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR \"cannot strip \${library}\")
    endif()
  endforeach()" COMPONENT Development)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/korvane.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME korvane COMPONENT Runtime)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE korvane)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME korvane)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "typing game: type away the falling blocks before they reach your ship
Blocks of text fall slowly from the top of the screen while your ship
sweeps left and right along the bottom by itself. Type the letters of the
lowest block to make them vanish: a block whose text is all gone explodes
and scores a point, and new blocks come ever faster. If a block reaches the
ship, the game is over; each player's best score is kept.
.
Everything is drawn as coloured characters on a grid of 80 x 24 cells.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libkorvane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# What the CMake package finds for its users. The font that games copy is
# the game's, hence the recommendation of the same version.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libsfml-dev, libx11-dev")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_RECOMMENDS "korvane (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "2-D character-cell game engine (development files)
A small engine for 2-D games drawn as coloured characters on a grid of
cells: game objects with events, a world that moves and collides them,
sprites read from text files, sounds and music, keyboard and mouse input,
and a fixed-rate game loop.
.
This package holds the static library, its headers and the CMake package
Korvane, with the target Korvane::engine.")

include(CPack)
