# Libraries that start-up does not call into (sounds, the shell, the score
# card's crosses) are loaded at their first call instead of with the process:
# every library the loader maps costs start-up time before WinMain runs.
# The code calls them as usual. MSVC does it with /DELAYLOAD; MinGW links a
# delay-import library that dlltool makes from cmake/delay/<dll>.def, which
# lists the functions the program calls. A function missing from that list
# would be taken from the ordinary import library and load the library at
# start again, so the link fails when one of them is still imported directly.
function(kvoro_delay_load target)
  if(MSVC)
    foreach(dll IN LISTS ARGN)
      target_link_options(${target} PRIVATE /DELAYLOAD:${dll}.dll)
    endforeach()
    target_link_libraries(${target} PRIVATE delayimp)
    return()
  endif()
  if(NOT CMAKE_DLLTOOL)
    message(STATUS "dlltool not found: ${target} loads all its libraries at start")
    return()
  endif()
  foreach(dll IN LISTS ARGN)
    set(definition ${PROJECT_SOURCE_DIR}/cmake/delay/${dll}.def)
    set(library ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
    add_custom_command(OUTPUT ${library}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
      COMMAND ${CMAKE_DLLTOOL} --input-def ${definition} --output-delaylib ${library}
      DEPENDS ${definition}
      COMMENT "Delay-import library for ${dll}.dll"
      VERBATIM)
    add_custom_target(${target}_${dll}_delay DEPENDS ${library})
    add_dependencies(${target} ${target}_${dll}_delay)
    # Ahead of the ordinary import libraries on the link line, so its symbols win.
    target_link_libraries(${target} PRIVATE ${library})
  endforeach()
  if(CMAKE_OBJDUMP)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${target}> -DOBJDUMP=${CMAKE_OBJDUMP} "-DDLLS=${ARGN}"
              -P ${PROJECT_SOURCE_DIR}/cmake/check_delay_load.cmake
      VERBATIM)
  endif()
endfunction()
