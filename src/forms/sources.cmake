set(PURE stretch_mode.cpp palette_colours.cpp)
set(WIN32_ONLY application.cpp form.cpp bitmap_picture.cpp picture_holder.cpp display_palette.cpp)
