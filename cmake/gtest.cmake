# Native builds use the system's GoogleTest; the MinGW build compiles it from /usr/src/googletest.
if(WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QUILLET_GTEST_LIBS gtest gmock gtest_main)
else()
  find_package(GTest REQUIRED)
  set(QUILLET_GTEST_LIBS GTest::gtest GTest::gmock GTest::gtest_main)
endif()

# One test executable per subsystem: every .cpp under tests/<folder> and its subfolders,
# with the shared helpers of tests/support.
# Under MinGW, ctest runs it through Wine (see scripts/wine-run.sh).
function(quillet_test name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  quillet_target_options(${name})
  target_compile_definitions(${name} PRIVATE
    QUILLET_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  target_link_libraries(${name} PRIVATE ${ARGN} ${QUILLET_GTEST_LIBS})
  if(WIN32)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
