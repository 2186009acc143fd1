set(PURE lead_bytes.cpp message_text.cpp path_delimiter.cpp case_mapping.cpp)
set(WIN32_ONLY)
