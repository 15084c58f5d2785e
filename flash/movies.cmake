# Flash movies are written in Haxe and compiled by the build; no movie is kept in the sources.
#   lmn_add_movie(TARGET OUTPUT file.swf MAIN Class SOURCES dir [HEADER w:h:fps:colour] [DEFINES d...])
find_program(LMN_HAXE haxe REQUIRED)
function(lmn_add_movie target)
  cmake_parse_arguments(M "" "OUTPUT;MAIN;SOURCES;HEADER" "DEFINES" ${ARGN})
  if(NOT M_HEADER)
    set(M_HEADER 300:200:24:000000)
  endif()
  set(defines "")
  foreach(d ${M_DEFINES})
    list(APPEND defines -D ${d})
  endforeach()
  file(GLOB_RECURSE hx CONFIGURE_DEPENDS ${M_SOURCES}/*.hx)
  get_filename_component(out_dir ${M_OUTPUT} DIRECTORY)
  add_custom_command(
    OUTPUT ${M_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${LMN_HAXE} -cp ${M_SOURCES} -main ${M_MAIN} -swf ${M_OUTPUT} -swf-version 10 -swf-header ${M_HEADER}
            ${defines}
    DEPENDS ${hx}
    COMMENT "Compiling the movie ${M_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${M_OUTPUT})
endfunction()
