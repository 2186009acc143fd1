set(PURE ticker.cpp)
set(WIN32_ONLY ssform.cpp scene.cpp presentation.cpp)
