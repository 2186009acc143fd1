set(PURE failure.cpp)
set(WIN32_ONLY system_function.cpp sse_support.cpp monitor_area.cpp password_services.cpp system_text.cpp
    executable_path.cpp)
