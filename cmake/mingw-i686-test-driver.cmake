# Cross-compiles the Wine test driver. The posix-thread variant: its C++
# library has std::mutex, which the test framework needs. The saver itself is
# never built with it (see mingw-i686.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
