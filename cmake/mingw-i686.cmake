# Cross-compiles the saver for 32-bit Windows with Debian's mingw-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
# The win32-thread variant: the posix one links a threads library that imports
# what Windows 95, 98 and NT 4.0 lack, and the saver starts no thread.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every processor the promised systems accept is at least a 486: the
# compiler's default (Pentium Pro) would add conditional moves those lack.
set(CMAKE_C_FLAGS_INIT "-march=i486")
set(CMAKE_CXX_FLAGS_INIT "-march=i486")
