set(PURE failure.cpp lead_bytes.cpp message_text.cpp stretch_mode.cpp)
set(WIN32_ONLY application.cpp form.cpp timer.cpp picture.cpp picture_holder.cpp system_text.cpp)
