# The asset generators in tools/ always run on the build machine. In a native
# build they are ordinary targets of this tree; when cross-compiling they are
# built by the host compiler as a project of their own.
set(KVORO_HOST_TOOLS dicegen soundgen imagegen)

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(KVORO_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
  set(_byproducts)
  foreach(tool IN LISTS KVORO_HOST_TOOLS)
    list(APPEND _byproducts ${KVORO_HOST_TOOLS_DIR}/${tool}/${tool})
  endforeach()
  ExternalProject_Add(host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools
    BINARY_DIR ${KVORO_HOST_TOOLS_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${_byproducts})
else()
  add_subdirectory(tools)
endif()

# kvoro_host_tool(<var> <tool>): sets <var> to the command that runs <tool> and
# <var>_DEPENDS to what a custom command that runs it must depend on.
function(kvoro_host_tool var tool)
  if(CMAKE_CROSSCOMPILING)
    set(${var} ${KVORO_HOST_TOOLS_DIR}/${tool}/${tool} PARENT_SCOPE)
    set(${var}_DEPENDS host_tools ${KVORO_HOST_TOOLS_DIR}/${tool}/${tool} PARENT_SCOPE)
  else()
    set(${var} $<TARGET_FILE:${tool}> PARENT_SCOPE)
    set(${var}_DEPENDS ${tool} PARENT_SCOPE)
  endif()
endfunction()
