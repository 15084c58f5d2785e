# The Debian package: `cpack -G DEB` in a build folder makes lumenfold_<version>_<arch>.deb.
#   /usr/lib/lumenfold/          the pristine game folder: everything `cmake --install` puts into
#                                a game folder (every install rule without a COMPONENT), plus
#                                lumenfold-player-folder, which gives each player a folder of their own
#   /usr/bin/lumenfold           the launcher (a link to the game folder's)
#   /usr/share/applications/     the two desktop entries, naming the launcher on PATH
#   /usr/share/icons/hicolor/    the two icons
#   /usr/share/metainfo/         the AppStream description
# The package installs with the prefix /usr/lib/lumenfold, so that install rules and scripts that
# name the game folder by the prefix name the installed one; the system-wide files are the
# component "system" with destinations from there up to /usr, left out of a plain `cmake --install`.
set(lmn_usr ../..)
set(LMN_PACKAGE_VERSION "4.62.0" CACHE STRING "Version of the Debian package")

install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/lumenfold-player-folder DESTINATION .
        COMPONENT system EXCLUDE_FROM_ALL)
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${lmn_usr}/bin\")
  file(CREATE_LINK ../lib/lumenfold/lumenfold \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${lmn_usr}/bin/lumenfold\" SYMBOLIC)"
        COMPONENT system EXCLUDE_FROM_ALL)

# The desktop entries of the game folder, with the launcher found on PATH and the icons by
# their names in the icon theme.
foreach(entry lumenfold lumenfold-card-maker)
  file(READ ${CMAKE_SOURCE_DIR}/assets/desktop/${entry}.desktop.in text)
  string(REPLACE "@LAUNCHER@" "lumenfold" text "${text}")
  string(REGEX REPLACE "Path=@DIR@\n" "" text "${text}")
  string(REGEX REPLACE "Icon=@ICONS@/([^\n]*)\\.png" "Icon=\\1" text "${text}")
  file(WRITE ${CMAKE_BINARY_DIR}/packaging/${entry}.desktop "${text}")
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${entry}.desktop DESTINATION ${lmn_usr}/share/applications
          COMPONENT system EXCLUDE_FROM_ALL)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/desktop/${entry}.png DESTINATION ${lmn_usr}/share/icons/hicolor/256x256/apps
          COMPONENT system EXCLUDE_FROM_ALL)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.lumenfold.Lumenfold.metainfo.xml DESTINATION ${lmn_usr}/share/metainfo
        COMPONENT system EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME lumenfold)
set(CPACK_PACKAGE_VERSION ${LMN_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumenfold")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Online card battles of light and shadow")
set(CPACK_PACKAGE_DESCRIPTION
    "The desktop side of the online card game Lumenfold: the game client, its updater and the card maker. Each player plays in a game folder of their own under ~/.local/share/lumenfold, made from the installed one on the first start.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr/lib/lumenfold)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/"
                                 "${CMAKE_BINARY_DIR};${PROJECT_NAME};system;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lumenfold Desktop developers <desktop@lumenfold.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries dpkg-shlibdeps finds: SDL_mixer, which the client loads at its first
# sound (dpkg-shlibdeps cannot see it), the browser's helper process (the library's
# package does not pull it in), the fonts the font aliases name, and the tools of the
# player-folder launcher; more picture formats for the card maker are welcome.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-mixer-2.0-0 (>= 2.6), libqt6webenginecore6-bin, fonts-arphic-uming, fonts-arphic-ukai, bash, coreutils, findutils, util-linux")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins")
include(CPack)
