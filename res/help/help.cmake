# The help document, compiled to CHM by Free Pascal's chmcmd (Debian fp-utils).
# Included by res/CMakeLists.txt so that its output belongs to that folder's targets.
find_program(CHMCMD chmcmd REQUIRED)
file(GLOB help_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.html
     ${CMAKE_CURRENT_LIST_DIR}/*.hhp ${CMAKE_CURRENT_LIST_DIR}/*.hhc ${CMAKE_CURRENT_LIST_DIR}/*.hhk
     ${CMAKE_CURRENT_LIST_DIR}/*.css)
set(work ${CMAKE_CURRENT_BINARY_DIR}/help-chm)
add_custom_command(OUTPUT ${KVORO_ASSET_DIR}/kvoro.chm
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${work}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_CURRENT_LIST_DIR} ${work}
  COMMAND ${CMAKE_COMMAND} -E chdir ${work} ${CHMCMD} kvoro.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${work}/kvoro.chm ${KVORO_ASSET_DIR}/kvoro.chm
  DEPENDS ${help_sources}
  COMMENT "Compiling the help document" VERBATIM)
# The document alone, for the checks that read it.
add_custom_target(kvoro_help DEPENDS ${KVORO_ASSET_DIR}/kvoro.chm)
