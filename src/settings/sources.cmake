set(PURE settings_text.cpp)
set(WIN32_ONLY settings_file.cpp)
