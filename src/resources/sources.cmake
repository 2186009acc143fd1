set(PURE saver_layout.cpp)
set(WIN32_ONLY built_in_pictures.cpp)
