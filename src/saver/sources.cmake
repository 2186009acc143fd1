set(PURE ticker.cpp)
set(WIN32_ONLY saver_window.cpp scene.cpp)
