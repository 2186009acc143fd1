set(PURE stretch_mode.cpp)
set(WIN32_ONLY application.cpp form.cpp bitmap_picture.cpp picture_holder.cpp)
