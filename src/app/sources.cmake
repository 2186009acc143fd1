set(PURE command_line.cpp)
set(WIN32_ONLY entry.cpp)
