# GoogleTest for both trees, and kvoro_add_test() for test executables.
if(KVORO_BUILD_TESTS)
  enable_testing()
  if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest QUIET)
  endif()
  if(NOT TARGET GTest::gtest_main)
    # Debian ships GoogleTest as sources (package googletest); cross builds
    # compile them with the target compiler.
    set(KVORO_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest source folder")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(${KVORO_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()

  if(CMAKE_CROSSCOMPILING AND WIN32)
    # One fresh prefix for the tree, made before any Windows test runs. Wine
    # must not offer to install its Mono and Gecko add-ons (no network here).
    add_test(NAME wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
    set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
    # The test display has no window manager: Wine must not wait (2 s a
    # window) for one to map and withdraw the windows it would manage.
    add_test(NAME wine_unmanaged COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR}
             reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f)
    set_tests_properties(wine_unmanaged PROPERTIES FIXTURES_SETUP wine DEPENDS wine_prefix TIMEOUT 60)
  endif()
endif()

# kvoro_sanitized_library(<lib>)
# <lib>_sanitized: the library's own sources built natively with AddressSanitizer
# and UndefinedBehaviorSanitizer, with its usage requirements, linked to the
# sanitized variants of the libraries it uses where they exist.
set(KVORO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
function(kvoro_sanitized_library lib)
  get_target_property(sources ${lib} SOURCES)
  get_target_property(folder ${lib} SOURCE_DIR)
  set(paths)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder})
    list(APPEND paths ${source})
  endforeach()
  add_library(${lib}_sanitized STATIC EXCLUDE_FROM_ALL ${paths})
  foreach(property INCLUDE_DIRECTORIES COMPILE_DEFINITIONS INTERFACE_INCLUDE_DIRECTORIES
                   INTERFACE_COMPILE_DEFINITIONS)
    get_target_property(value ${lib} ${property})
    if(value)
      set_target_properties(${lib}_sanitized PROPERTIES ${property} "${value}")
    endif()
  endforeach()
  get_target_property(uses ${lib} LINK_LIBRARIES)
  foreach(used IN ITEMS ${uses})
    if(NOT used)
      continue()
    endif()
    if(TARGET ${used}_sanitized)
      set(used ${used}_sanitized)
    endif()
    target_link_libraries(${lib}_sanitized PUBLIC ${used})
  endforeach()
  target_compile_options(${lib}_sanitized PUBLIC ${KVORO_SANITIZER_FLAGS})
  target_link_options(${lib}_sanitized PUBLIC ${KVORO_SANITIZER_FLAGS})
endfunction()

# kvoro_add_test(<name> SOURCES ... [LIBS ...] [DESKTOP] [SANITIZE])
# One executable, one CTest test. DESKTOP marks tests that create windows and
# must not share the display with another such test (focus, foreground).
# SANITIZE builds the executable natively with AddressSanitizer and
# UndefinedBehaviorSanitizer and links the sanitized variant of every library
# in LIBS that has one (kvoro_sanitized_library).
function(kvoro_add_test name)
  cmake_parse_arguments(T "DESKTOP;SANITIZE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_SANITIZE AND NOT WIN32)
    target_compile_options(${name} PRIVATE ${KVORO_SANITIZER_FLAGS})
    target_link_options(${name} PRIVATE ${KVORO_SANITIZER_FLAGS})
    set(libs)
    foreach(lib IN LISTS T_LIBS)
      if(TARGET ${lib}_sanitized)
        set(lib ${lib}_sanitized)
      endif()
      list(APPEND libs ${lib})
    endforeach()
    set(T_LIBS ${libs})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  if(CMAKE_CROSSCOMPILING AND WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
  if(T_DESKTOP)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
  endif()
endfunction()
