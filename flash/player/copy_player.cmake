# Copies what the game folder needs of the player package: the player's scripts, its two
# WebAssembly modules, its licences and its package description (which names the version).
file(GLOB files ${FROM}/*.js ${FROM}/*.wasm ${FROM}/LICENSE* ${FROM}/package.json)
if(NOT files)
  message(FATAL_ERROR "no player files in ${FROM}")
endif()
file(MAKE_DIRECTORY ${TO})
file(COPY ${files} DESTINATION ${TO})
