set(PURE command_line.cpp)
set(WIN32_ONLY password_services.cpp process_values.cpp entry.cpp)
