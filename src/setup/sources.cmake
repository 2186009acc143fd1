set(PURE setup_layout.cpp picture_fit.cpp file_filter.cpp)
set(WIN32_ONLY setup_dialog.cpp setup_control.cpp open_picture_dialog.cpp picture_pane.cpp
    picture_area.cpp picture_view.cpp preview_window.cpp)
