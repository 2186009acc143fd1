set(PURE)
set(WIN32_ONLY sssetdlg.cpp)
