# Native build: the portable core and its unit tests (options set before the
# core is defined: cmake/NativeOptions.cmake).

find_package(ZLIB REQUIRED)
find_package(GTest REQUIRED)
include(GoogleTest)
target_link_libraries(brimel_core PUBLIC ZLIB::ZLIB)

file(GLOB BRIMEL_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*_test.cpp)
add_executable(brimel_unit_tests ${BRIMEL_UNIT_TESTS})
target_link_libraries(brimel_unit_tests PRIVATE brimel_core GTest::gtest_main)
gtest_discover_tests(brimel_unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)
