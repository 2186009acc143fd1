set(PURE)
set(WIN32_ONLY system_function.cpp monitor_area.cpp password_services.cpp)
