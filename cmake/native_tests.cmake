# Unit tests of the portable core, run natively.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE tamblo_core GTest::gtest GTest::gmock GTest::gtest_main)
target_include_directories(unit_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/unit)
gtest_discover_tests(unit_tests)
