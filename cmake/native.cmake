# Native build: the pure code, its unit tests and the fuzz targets.
find_package(GTest REQUIRED)
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_package(GIF REQUIRED)

add_library(zarumo_core STATIC ${ZARUMO_PURE_SOURCES})
zarumo_flags(zarumo_core)
target_include_directories(zarumo_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(zarumo_core PUBLIC JPEG::JPEG PNG::PNG GIF::GIF)

file(GLOB ZARUMO_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*_test.cpp)
add_executable(unit_tests ${ZARUMO_UNIT_TESTS})
zarumo_flags(unit_tests)
target_compile_definitions(unit_tests PRIVATE ZARUMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The byte and file builders the unit and Wine tests share, as "common/...".
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(unit_tests PRIVATE zarumo_core GTest::gtest GTest::gtest_main)
include(${CMAKE_SOURCE_DIR}/cmake/bmpsuite.cmake)
zarumo_bmpsuite_ppm(bmpsuite_ppm ${CMAKE_BINARY_DIR}/bmpsuite-ppm)
add_dependencies(unit_tests bmpsuite_ppm)
target_compile_definitions(unit_tests PRIVATE ZARUMO_BMPSUITE_PPM="${CMAKE_BINARY_DIR}/bmpsuite-ppm")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/fuzz ${CMAKE_BINARY_DIR}/fuzz)
endif()

# The set-up scripts' apt-get calls against a mirror caught mid-sync.
add_test(NAME apt_fallbacks COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/apt_test.sh)
