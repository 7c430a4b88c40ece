# Native tree: the core and its GoogleTest suite, built with the machine's g++.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE CORE_TEST_SOURCES CONFIGURE_DEPENDS tests/core/*.cpp)
add_executable(core_tests ${CORE_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE core GTest::gtest GTest::gtest_main)
target_compile_definitions(core_tests PRIVATE
  PROJECT_SOURCE_DIR_PATH="${PROJECT_SOURCE_DIR}")
gtest_discover_tests(core_tests DISCOVERY_TIMEOUT 60)
