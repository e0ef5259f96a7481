# What `cmake --install` puts where.
#
# Players get the game binary under libexec, its data under share/korvane,
# a desktop entry, icons, desktop metadata, a manual page, and the launcher
# bin/korvane, which gives each user a writable copy of the game's layout,
# since the installed files are shared and never written. Game developers
# get the engine as a static library with its headers under include/korvane,
# the CMake package Korvane (target Korvane::engine), and the guide with the
# example game.
#
# Two components, Runtime and Development, so that packagers can split them.
# KO_DEBIAN_PACKAGE lays the game out as Debian lays out its games and adds
# what a Debian package carries besides; cmake/KorvanePackage.cmake makes
# the packages.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

option(KO_DEBIAN_PACKAGE "Install in Debian's games layout, for scripts/package.sh" OFF)
if(KO_DEBIAN_PACKAGE)
  set(KO_INSTALL_LAUNCHERDIR games)
  set(KO_INSTALL_GAMEDIR lib/games/korvane)
  set(KO_INSTALL_DATADIR share/games/korvane)
else()
  set(KO_INSTALL_LAUNCHERDIR ${CMAKE_INSTALL_BINDIR})
  set(KO_INSTALL_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/korvane)
  set(KO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/korvane)
endif()
set(KO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Korvane)
if(KO_DEBIAN_PACKAGE)
  set(KO_INSTALL_ENGINE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/libkorvane-dev)
else()
  set(KO_INSTALL_ENGINE_DOCDIR ${CMAKE_INSTALL_DOCDIR})
endif()

# --- The game -----------------------------------------------------------------

install(TARGETS korvane RUNTIME DESTINATION ${KO_INSTALL_GAMEDIR} COMPONENT Runtime)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/sprites/ DESTINATION ${KO_INSTALL_DATADIR}/sprites
        COMPONENT Runtime FILES_MATCHING PATTERN "*.txt")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sounds/ DESTINATION ${KO_INSTALL_DATADIR}/sounds
        COMPONENT Runtime FILES_MATCHING PATTERN "*.wav" PATTERN "*.ogg")
install(FILES ${PROJECT_SOURCE_DIR}/data/data.txt DESTINATION ${KO_INSTALL_DATADIR}/data
        COMPONENT Runtime)
install(FILES ${PROJECT_SOURCE_DIR}/run/ko-font.ttf DESTINATION ${KO_INSTALL_DATADIR}
        COMPONENT Runtime)
# A package tells every licence in its copyright file instead.
if(NOT KO_DEBIAN_PACKAGE)
  install(FILES ${PROJECT_SOURCE_DIR}/run/ko-font-LICENSE.txt DESTINATION ${KO_INSTALL_DATADIR}
          COMPONENT Runtime)
endif()

# The launcher finds the game and its data from its own place, so that the
# prefix can still be chosen at install time (cmake --install --prefix).
# Directories given as absolute paths (and all of them, when the launcher's
# is one) are written into it as configured.
if(IS_ABSOLUTE "${KO_INSTALL_LAUNCHERDIR}")
  set(KO_LAUNCHER_TO_PREFIX ".")
else()
  file(RELATIVE_PATH KO_LAUNCHER_TO_PREFIX "/prefix/${KO_INSTALL_LAUNCHERDIR}" "/prefix")
endif()
function(ko_launcher_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  elseif(IS_ABSOLUTE "${KO_INSTALL_LAUNCHERDIR}")
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  else()
    set(${out} "$prefix/${dir}" PARENT_SCOPE)
  endif()
endfunction()
ko_launcher_path(KO_LAUNCHER_GAME "${KO_INSTALL_GAMEDIR}/korvane")
ko_launcher_path(KO_LAUNCHER_SHARE "${KO_INSTALL_DATADIR}")
# scripts/play.sh runs the game the same way; the launcher gets a copy,
# since it must stand alone.
set(KO_RUN_GAME_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/run-game.sh)
file(READ ${KO_RUN_GAME_SCRIPT} KO_LAUNCHER_RUN_GAME)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KO_RUN_GAME_SCRIPT})
configure_file(${PROJECT_SOURCE_DIR}/packaging/korvane.sh.in ${PROJECT_BINARY_DIR}/packaging/korvane
               @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/korvane DESTINATION ${KO_INSTALL_LAUNCHERDIR}
        COMPONENT Runtime)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/korvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
# packaging/make-icon.sh draws the largest and scales it down to the others.
foreach(size 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${size}/korvane.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT Runtime)
endforeach()

# What software centres show. Its file is named after the component's
# identifier; the version and the release date are the project's.
set(KO_APP_ID org.korvane.korvane)
configure_file(${PROJECT_SOURCE_DIR}/packaging/korvane.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${KO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${KO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Runtime)

# The page names the data's place as configured; an install elsewhere
# (--prefix) moves it with the rest.
set(KO_MAN_DATADIR ${CMAKE_INSTALL_PREFIX}/${KO_INSTALL_DATADIR})
# Compressed, as man finds it and as packages must ship it; -n keeps the
# name and time out, so the same page gives the same bytes.
configure_file(${PROJECT_SOURCE_DIR}/packaging/korvane.6.in ${PROJECT_BINARY_DIR}/packaging/korvane.6
               @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/korvane.6.gz
                   COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/packaging/korvane.6 >
                           ${PROJECT_BINARY_DIR}/packaging/korvane.6.gz
                   DEPENDS ${PROJECT_BINARY_DIR}/packaging/korvane.6 VERBATIM)
add_custom_target(korvane_man_page ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/korvane.6.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/korvane.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT Runtime)

# --- The engine -----------------------------------------------------------------

# ko_install_library(TARGET NAME) installs a static library of the engine
# as Korvane::NAME, in the Development component and the CMake package.
function(ko_install_library target name)
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  install(TARGETS ${target} EXPORT KorvaneTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
          INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endfunction()
ko_install_library(korvane_engine engine)
# The test kit goes wherever the engine goes: games test against the engine
# they build on.
ko_install_library(korvane_testkit testkit)
# Headers are spelt <korvane/Object.h> everywhere, inside the tree and out.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/korvane DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT Development FILES_MATCHING PATTERN "*.h")
install(EXPORT KorvaneTargets NAMESPACE Korvane:: DESTINATION ${KO_INSTALL_CMAKEDIR}
        COMPONENT Development)
# The guide and the example game, a starting point for game makers.
install(FILES ${PROJECT_SOURCE_DIR}/docs/engine.md ${PROJECT_SOURCE_DIR}/docs/engine-scene.png
        DESTINATION ${KO_INSTALL_ENGINE_DOCDIR} COMPONENT Development)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/coins DESTINATION ${KO_INSTALL_ENGINE_DOCDIR}/examples
        COMPONENT Development)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KorvaneConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/cmake/KorvaneConfig.cmake
                              INSTALL_DESTINATION ${KO_INSTALL_CMAKEDIR}
                              PATH_VARS KO_INSTALL_DATADIR)
# Before 1.0 a minor release may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/cmake/KorvaneConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/cmake/KorvaneConfig.cmake
              ${PROJECT_BINARY_DIR}/cmake/KorvaneConfigVersion.cmake
        DESTINATION ${KO_INSTALL_CMAKEDIR} COMPONENT Development)

if(KO_DEBIAN_PACKAGE)
  include(${PROJECT_SOURCE_DIR}/cmake/KorvanePackage.cmake)
endif()
