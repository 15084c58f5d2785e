# `npm ci` installs the pinned player into the build tree (the lockfile's integrity hashes are
# checked); its files and licences are laid out in ${LMN_FLASH_PLAYER_DIR} as the game folder's
# ruffle/ and installed there. Nothing is fetched when the programs run.
find_program(LMN_NPM npm REQUIRED)
set(LMN_FLASH_NPM_DIR ${CMAKE_BINARY_DIR}/flash-player-npm)
set(LMN_FLASH_PLAYER_DIR ${CMAKE_BINARY_DIR}/game/ruffle CACHE INTERNAL "the player's files, as in the game folder")
set(ruffle_package ${LMN_FLASH_NPM_DIR}/node_modules/@ruffle-rs/ruffle)
add_custom_command(
  OUTPUT ${LMN_FLASH_PLAYER_DIR}/ruffle.js
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LMN_FLASH_NPM_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/player/package.json
          ${CMAKE_CURRENT_SOURCE_DIR}/player/package-lock.json ${LMN_FLASH_NPM_DIR}/
  COMMAND ${LMN_NPM} ci --prefix ${LMN_FLASH_NPM_DIR} --no-audit --no-fund --ignore-scripts --loglevel=error
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${LMN_FLASH_PLAYER_DIR}
  COMMAND ${CMAKE_COMMAND} -DFROM=${ruffle_package} -DTO=${LMN_FLASH_PLAYER_DIR}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/player/copy_player.cmake
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/player/package.json ${CMAKE_CURRENT_SOURCE_DIR}/player/package-lock.json
          ${CMAKE_CURRENT_SOURCE_DIR}/player/copy_player.cmake
  COMMENT "Installing the pinned Flash player with npm ci"
  VERBATIM)
add_custom_target(flash_player ALL DEPENDS ${LMN_FLASH_PLAYER_DIR}/ruffle.js)
install(DIRECTORY ${LMN_FLASH_PLAYER_DIR}/ DESTINATION ruffle)
