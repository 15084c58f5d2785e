# Install rules of the Linux desktop side of the game folder: the launcher, the registration
# helper, the font aliases, the icons and (written at install time) the two desktop entries.
install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/lumenfold ${CMAKE_CURRENT_LIST_DIR}/register-desktop.sh DESTINATION .)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/fonts.conf DESTINATION fonts)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lumenfold.png ${CMAKE_CURRENT_LIST_DIR}/lumenfold-card-maker.png
        DESTINATION share/icons/hicolor/256x256/apps)
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_desktop.cmake)
