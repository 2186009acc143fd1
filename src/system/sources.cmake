set(PURE failure.cpp arithmetic.cpp geometry.cpp)
set(WIN32_ONLY system_function.cpp sse_support.cpp monitor_area.cpp display_monitors.cpp
    password_services.cpp system_text.cpp executable_path.cpp window_class.cpp
    mixed_text.cpp window_text.cpp file_names.cpp)
