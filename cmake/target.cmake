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

# zlib, libpng and giflib, cross-built the same way by tools/build-pnggif.sh.
set(ZARUMO_PNGGIF_PREFIX "" CACHE PATH "Install prefix of the cross-built zlib, libpng and giflib")
if(NOT ZARUMO_PNGGIF_PREFIX OR NOT EXISTS ${ZARUMO_PNGGIF_PREFIX}/include/png.h)
  message(FATAL_ERROR "ZARUMO_PNGGIF_PREFIX must name the cross-built libpng and giflib (run ./build.sh)")
endif()
foreach(library png gif z)
  add_library(${library}_static STATIC IMPORTED)
  set_target_properties(${library}_static PROPERTIES
    IMPORTED_LOCATION ${ZARUMO_PNGGIF_PREFIX}/lib/lib${library}.a
    INTERFACE_INCLUDE_DIRECTORIES ${ZARUMO_PNGGIF_PREFIX}/include)
endforeach()

set(ZARUMO_WIN32_LIBS jpeg_static png_static gif_static z_static user32 gdi32 comdlg32 comctl32 advapi32)

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
# libjpeg-turbo asks our SSE decision before it picks SIMD code
# (src/pictures/jpeg_simd.cpp); -u pulls that file from the archive.
target_link_options(zarumo_lib INTERFACE -Wl,--wrap=jpeg_simd_cpu_support
  -Wl,-u,___wrap_jpeg_simd_cpu_support)

set(ZARUMO_RC ${CMAKE_SOURCE_DIR}/src/resources/zarumo.rc)
set_source_files_properties(${ZARUMO_RC} PROPERTIES
  OBJECT_DEPENDS "${ZARUMO_VERSION_HEADER};${CMAKE_SOURCE_DIR}/src/resources/banner.bmp;${CMAKE_SOURCE_DIR}/src/resources/fallback.bmp;${CMAKE_SOURCE_DIR}/src/resources/zarumo.ico;${CMAKE_SOURCE_DIR}/src/resources/zarumo.manifest")

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

# Processors. The toolchain's runtime is prebuilt for the Pentium Pro: the
# pieces the saver links come rebuilt for the i486 (tools/build-runtime.sh),
# the start-up code and runtime libraries found first, the C++ library's
# members as objects, which no archive in the link group can override.
set(ZARUMO_RUNTIME_DIR "" CACHE PATH "The runtime pieces rebuilt for the i486")
if(ZARUMO_RUNTIME_DIR)
  if(NOT EXISTS ${ZARUMO_RUNTIME_DIR}/lib/crt2.o)
    message(FATAL_ERROR "ZARUMO_RUNTIME_DIR holds no rebuilt runtime (run ./build.sh)")
  endif()
  file(GLOB ZARUMO_RUNTIME_MEMBERS ${ZARUMO_RUNTIME_DIR}/cxx/*.o)
  target_sources(zarumo PRIVATE ${ZARUMO_RUNTIME_MEMBERS})
  # The linker orders the import table by the import libraries' paths: with
  # all of them in one folder of the build tree, the order is the same
  # wherever the tree lies.
  set(ZARUMO_IMPORT_DIR ${CMAKE_BINARY_DIR}/import-libraries)
  foreach(lib kernel32 user32 gdi32 comdlg32 comctl32 advapi32)
    configure_file(${CMAKE_FIND_ROOT_PATH}/lib/lib${lib}.a ${ZARUMO_IMPORT_DIR}/lib${lib}.a COPYONLY)
  endforeach()
  configure_file(${ZARUMO_RUNTIME_DIR}/lib/libcrtdll.a ${ZARUMO_IMPORT_DIR}/libcrtdll.a COPYONLY)
  target_link_options(zarumo PRIVATE -B${ZARUMO_RUNTIME_DIR}/lib/ -L${ZARUMO_IMPORT_DIR}
                      -L${ZARUMO_RUNTIME_DIR}/lib)
endif()
# The product is stripped; the build tree keeps the symbols and debug
# information, and the checks below read them there. Stripping would stamp
# the header with the time of day: it is given none.
if(ZARUMO_PRODUCT_DIR)
  add_custom_command(TARGET zarumo POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
            ${CMAKE_STRIP} --strip-all -o ${ZARUMO_PRODUCT_DIR}/zarumo.scr $<TARGET_FILE:zarumo>)
endif()

add_test(NAME resources
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/resources/check_resources.py
          $<TARGET_FILE:zarumo> ${CMAKE_SOURCE_DIR}/src/resources ${ZARUMO_VERSION}
          "${ZARUMO_VERSION} (commit ${ZARUMO_BUILD_COMMIT})")
# Every instruction outside the SIMD code chosen at run time runs on an i486.
add_test(NAME instructions
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/resources/check_instructions.py
          $<TARGET_FILE:zarumo>)
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
