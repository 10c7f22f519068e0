# GoogleTest for the Windows side, built from Debian's sources with the
# cross compiler, and a helper that registers a test program run under Wine.
include(GoogleTest)

if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Third-party code: keep our warning flags for our own sources only.
  foreach(t gtest gtest_main)
    target_compile_options(${t} PRIVATE -w)
    # The win32-thread toolchain lacks std::condition_variable.
    target_compile_options(${t} PUBLIC
      -include ${PROJECT_SOURCE_DIR}/testbed/gtest_wine/condition_variable_shim.h)
  endforeach()
endif()

# pivora_add_wine_test(<name> SOURCES ... [LIBS ...] [LOCK <resource>])
# Builds a GoogleTest program and lets CTest discover its cases at test time,
# each case in a process of its own so that module state starts fresh.
function(pivora_add_wine_test name)
  cmake_parse_arguments(arg "" "LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES} $<TARGET_OBJECTS:gtest_wine_support>)
  target_link_libraries(${name} PRIVATE gtest_main gtest wine_test_common ${arg_LIBS})
  set(props TIMEOUT 60)
  if(arg_LOCK)
    list(APPEND props RESOURCE_LOCK ${arg_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 300
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${props})
endfunction()
