# What `cmake --install` puts where.
#
# Players get the game binary under libexec, its data under share/korvane,
# a desktop entry, an icon, and the launcher bin/korvane, which gives each
# user a writable copy of the game's layout, since the installed files are
# shared and never written. Game developers get the engine as a static
# library with its headers under include/korvane and the CMake package
# Korvane (target Korvane::engine).
#
# Two components, Runtime and Development, so that packagers can split them.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KO_INSTALL_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/korvane)
set(KO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/korvane)
set(KO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Korvane)

# --- The game -----------------------------------------------------------------

install(TARGETS korvane RUNTIME DESTINATION ${KO_INSTALL_GAMEDIR} COMPONENT Runtime)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/sprites/ DESTINATION ${KO_INSTALL_DATADIR}/sprites
        COMPONENT Runtime FILES_MATCHING PATTERN "*.txt")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sounds/ DESTINATION ${KO_INSTALL_DATADIR}/sounds
        COMPONENT Runtime FILES_MATCHING PATTERN "*.wav" PATTERN "*.ogg")
install(FILES ${PROJECT_SOURCE_DIR}/data/data.txt DESTINATION ${KO_INSTALL_DATADIR}/data
        COMPONENT Runtime)
install(FILES ${PROJECT_SOURCE_DIR}/run/ko-font.ttf ${PROJECT_SOURCE_DIR}/run/ko-font-LICENSE.txt
        DESTINATION ${KO_INSTALL_DATADIR} COMPONENT Runtime)

# The launcher finds the game and its data from its own place, so that the
# prefix can still be chosen at install time (cmake --install --prefix).
# Directories given as absolute paths (and all of them, when bin is one)
# are written into it as configured.
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  set(KO_LAUNCHER_TO_PREFIX ".")
else()
  file(RELATIVE_PATH KO_LAUNCHER_TO_PREFIX "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix")
endif()
function(ko_launcher_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
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
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/korvane DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT Runtime)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/korvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/korvane.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps COMPONENT Runtime)

# --- The engine -----------------------------------------------------------------

set_target_properties(korvane_engine PROPERTIES EXPORT_NAME engine)
install(TARGETS korvane_engine EXPORT KorvaneTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The test kit goes wherever the engine goes: games test against the engine
# they build on.
set_target_properties(korvane_testkit PROPERTIES EXPORT_NAME testkit)
install(TARGETS korvane_testkit EXPORT KorvaneTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Headers are spelt <korvane/Object.h> everywhere, inside the tree and out.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/korvane DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT Development FILES_MATCHING PATTERN "*.h")
install(EXPORT KorvaneTargets NAMESPACE Korvane:: DESTINATION ${KO_INSTALL_CMAKEDIR}
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
