set(PURE ticker.cpp cover_areas.cpp)
set(WIN32_ONLY saver_window.cpp scene.cpp cover_window.cpp)
