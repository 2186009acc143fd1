# Target build. Two trees use this file: the product tree builds zarumo.scr
# and checks what it carries; the test-driver tree (ZARUMO_TEST_DRIVER, another
# compiler variant) builds the Wine test driver, its doubles and the benchmark,
# which all run the product tree's saver.
enable_language(RC)

# The same sources give the same bytes in any folder at any time: no build
# paths in the objects, no link time in the PE header.
include(${CMAKE_SOURCE_DIR}/cmake/version.cmake)
include_directories(${CMAKE_BINARY_DIR}/generated)
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>")
add_link_options(-Wl,--no-insert-timestamp)

set(ZARUMO_STATIC_LINK -static -static-libgcc -static-libstdc++)

# libjpeg-turbo, cross-built from Debian's source package by tools/build-libjpeg.sh.
set(ZARUMO_JPEG_PREFIX "" CACHE PATH "Install prefix of the cross-built libjpeg-turbo")
if(NOT ZARUMO_JPEG_PREFIX OR NOT EXISTS ${ZARUMO_JPEG_PREFIX}/include/jpeglib.h)
  message(FATAL_ERROR "ZARUMO_JPEG_PREFIX must name a cross-built libjpeg-turbo (run ./build.sh)")
endif()
add_library(jpeg_static STATIC IMPORTED)
set_target_properties(jpeg_static PROPERTIES
  IMPORTED_LOCATION ${ZARUMO_JPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${ZARUMO_JPEG_PREFIX}/include)

set(ZARUMO_WIN32_LIBS jpeg_static user32 gdi32 comdlg32 comctl32 advapi32)

# Everything but the entry point, shared by the saver and the in-process tests.
add_library(zarumo_lib STATIC ${ZARUMO_PURE_SOURCES} ${ZARUMO_WIN32_SOURCES})
zarumo_flags(zarumo_lib)
target_include_directories(zarumo_lib PUBLIC ${CMAKE_SOURCE_DIR}/src)
# Windows 95 and NT 4.0 headers would hide too much; what is newer than those
# systems is looked up at run time, and the import check holds the line.
target_compile_definitions(zarumo_lib PUBLIC WINVER=0x0500 _WIN32_WINNT=0x0500 _WIN32_IE=0x0500
  # The one-argument setjmp, which every C runtime DLL has.
  USE_NO_MINGW_SETJMP_TWO_ARGS)
target_link_libraries(zarumo_lib PUBLIC ${ZARUMO_WIN32_LIBS})

set(ZARUMO_RC ${CMAKE_SOURCE_DIR}/src/resources/zarumo.rc)
set_source_files_properties(${ZARUMO_RC} PROPERTIES
  OBJECT_DEPENDS "${ZARUMO_VERSION_HEADER};${CMAKE_SOURCE_DIR}/src/resources/banner.bmp;${CMAKE_SOURCE_DIR}/src/resources/fallback.bmp;${CMAKE_SOURCE_DIR}/src/resources/zarumo.ico")

option(ZARUMO_TEST_DRIVER "Build the Wine test driver instead of the saver" OFF)
if(ZARUMO_TEST_DRIVER)
  set(ZARUMO_SAVER "" CACHE FILEPATH "The saver under test, as the product tree built it")
  if(NOT ZARUMO_SAVER)
    message(FATAL_ERROR "ZARUMO_SAVER must name the built zarumo.scr (run ./build.sh)")
  endif()
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/bench ${CMAKE_BINARY_DIR}/bench)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/wine ${CMAKE_BINARY_DIR}/wine_tests)
  return()
endif()

add_executable(zarumo WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp
               ${CMAKE_SOURCE_DIR}/src/app/crtdll_gaps.cpp ${ZARUMO_RC})
zarumo_flags(zarumo)
target_link_libraries(zarumo PRIVATE zarumo_lib)
# The C runtime every 32-bit Windows carries is crtdll.dll; msvcrt.dll came
# later to Windows 95. The runtime libraries are named by hand, last on the
# line, to swap it in.
target_link_options(zarumo PRIVATE ${ZARUMO_STATIC_LINK} -nodefaultlibs)
set(CMAKE_CXX_STANDARD_LIBRARIES "-Wl,--start-group -lstdc++ -lmingw32 -lgcc -lgcc_eh -lmingwex \
-lcrtdll -lkernel32 -luser32 -lgdi32 -lcomdlg32 -lcomctl32 -ladvapi32 -Wl,--end-group")
set_target_properties(zarumo PROPERTIES SUFFIX ".scr")
set(ZARUMO_PRODUCT_DIR "" CACHE PATH "Where the finished zarumo.scr is copied")
if(ZARUMO_PRODUCT_DIR)
  add_custom_command(TARGET zarumo POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zarumo> ${ZARUMO_PRODUCT_DIR}/zarumo.scr)
endif()

add_test(NAME resources
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/resources/check_resources.py
          $<TARGET_FILE:zarumo> ${CMAKE_SOURCE_DIR}/src/resources ${ZARUMO_VERSION}
          "${ZARUMO_VERSION} (commit ${ZARUMO_BUILD_COMMIT})")
# Every import must be one that Windows 95 and NT 4.0 export.
add_test(NAME imports
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/resources/check_imports.py
          $<TARGET_FILE:zarumo> ${CMAKE_SOURCE_DIR}/tests/resources/system_functions.tsv)

# The release a Windows user takes: the saver and its Japanese readme in one
# archive, written afresh whenever the saver is.
if(ZARUMO_PRODUCT_DIR)
  set(ZARUMO_README "${CMAKE_SOURCE_DIR}/docs/release/お読みください.txt")
  set(ZARUMO_RELEASE_ZIP ${ZARUMO_PRODUCT_DIR}/release/zarumo-${ZARUMO_VERSION}.zip)
  add_custom_command(OUTPUT ${ZARUMO_RELEASE_ZIP}
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/make-release.py
            ${ZARUMO_PRODUCT_DIR}/zarumo.scr ${ZARUMO_README} ${ZARUMO_VERSION}
            ${ZARUMO_RELEASE_DATE} ${ZARUMO_RELEASE_ZIP}
    DEPENDS zarumo ${ZARUMO_README} ${CMAKE_SOURCE_DIR}/tools/make-release.py
    VERBATIM)
  add_custom_target(release ALL DEPENDS ${ZARUMO_RELEASE_ZIP})
  add_test(NAME release
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/resources/check_release.py
            ${ZARUMO_RELEASE_ZIP} ${ZARUMO_PRODUCT_DIR}/zarumo.scr ${ZARUMO_VERSION}
            ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
endif()
