# Native build: the portable core and its unit tests.
option(BRIMEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(BRIMEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
add_compile_options(-Wall -Wextra)

find_package(ZLIB REQUIRED)
find_package(GTest REQUIRED)
include(GoogleTest)
target_link_libraries(brimel_core PUBLIC ZLIB::ZLIB)

file(GLOB BRIMEL_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*_test.cpp)
add_executable(brimel_unit_tests ${BRIMEL_UNIT_TESTS})
target_link_libraries(brimel_unit_tests PRIVATE brimel_core GTest::gtest_main)
gtest_discover_tests(brimel_unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)
