set(PURE command_line.cpp app_title.cpp)
set(WIN32_ONLY sdk_names.cpp)
