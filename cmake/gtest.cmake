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

# Helpers every suite shares (tests/support).
file(GLOB QUILLET_TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_library(quillet_test_support STATIC ${QUILLET_TEST_SUPPORT_SOURCES})
quillet_target_options(quillet_test_support)
target_link_libraries(quillet_test_support PUBLIC quillet_common)

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
    QUILLET_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    QUILLET_PEER_SCRIPT="${PROJECT_SOURCE_DIR}/scripts/email_peer.py"
    QUILLET_COMPOSE_PEER_SCRIPT="${PROJECT_SOURCE_DIR}/scripts/compose_peer.py")
  target_link_libraries(${name} PRIVATE ${ARGN} quillet_test_support ${QUILLET_GTEST_LIBS})
  if(WIN32)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
