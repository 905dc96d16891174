# Unit tests of the portable core, run natively.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE tamblo_core tamblo_options GTest::gtest GTest::gmock GTest::gtest_main)
target_include_directories(unit_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/unit ${PROJECT_SOURCE_DIR}/tests/common)
# The scripted cases are read from the source tree; a changed case relinks,
# so that the tests are listed again.
target_compile_definitions(unit_tests PRIVATE TAMBLO_UNIT_CASES="${PROJECT_SOURCE_DIR}/tests/unit/cases")
file(GLOB UNIT_CASES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/cases/*.case)
set_property(TARGET unit_tests APPEND PROPERTY LINK_DEPENDS ${UNIT_CASES})
gtest_discover_tests(unit_tests)
