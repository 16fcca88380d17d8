# The release target: an optimised, stripped kvoro.exe and its installer, both
# named with the project's version, under <build>/release. The installer is
# made with wixl (Debian's msitools), so the target exists where wixl does.
find_program(KVORO_WIXL wixl)
if(NOT KVORO_WIXL)
  message(STATUS "wixl not found: no release target")
  return()
endif()

set(KVORO_RELEASE_NAME kvoro-${PROJECT_VERSION})
set(KVORO_RELEASE_DIR ${CMAKE_BINARY_DIR}/release/${KVORO_RELEASE_NAME})
set(KVORO_RELEASE_MSI ${CMAKE_BINARY_DIR}/release/${KVORO_RELEASE_NAME}.msi)
set(KVORO_INSTALLER_SOURCE ${PROJECT_SOURCE_DIR}/res/kvoro.wxs)

if(CMAKE_BUILD_TYPE STREQUAL "Release")
  set(release_exe $<TARGET_FILE:kvoro>)
  set(release_build)
else()
  # Any other tree builds the program once more in a Release tree of its own,
  # with the same toolchain and without the tests.
  set(tree ${CMAKE_BINARY_DIR}/release/tree)
  set(release_exe ${tree}/kvoro.exe)
  set(toolchain ${CMAKE_TOOLCHAIN_FILE})
  if(toolchain AND NOT IS_ABSOLUTE ${toolchain})
    get_filename_component(toolchain ${toolchain} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
  endif()
  set(release_build
    COMMAND ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${tree} -G ${CMAKE_GENERATOR}
            -DCMAKE_BUILD_TYPE=Release -DKVORO_BUILD_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE=${toolchain}
            -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
            -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
    COMMAND ${CMAKE_COMMAND} --build ${tree} --target kvoro)
endif()

add_custom_target(release
  ${release_build}
  COMMAND ${CMAKE_COMMAND} -DEXE=${release_exe} -DOUT_DIR=${KVORO_RELEASE_DIR} -DMSI=${KVORO_RELEASE_MSI}
          -DWIXL=${KVORO_WIXL} -DWXS=${KVORO_INSTALLER_SOURCE} -DICON=${KVORO_ASSET_DIR}/kvoro.ico
          -DVERSION=${PROJECT_VERSION} -DVENDOR=${KVORO_VENDOR}
          -P ${PROJECT_SOURCE_DIR}/cmake/make_release.cmake
  BYPRODUCTS ${KVORO_RELEASE_DIR}/kvoro.exe ${KVORO_RELEASE_MSI}
  COMMENT "Making the release ${KVORO_RELEASE_NAME}"
  VERBATIM)
add_dependencies(release kvoro_assets)
if(NOT release_build)
  add_dependencies(release kvoro)
endif()
