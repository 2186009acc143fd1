set(PURE picture_kind.cpp bitmap_layout.cpp bit_fields.cpp icon_directory.cpp metafile_header.cpp
    metafile_objects.cpp metafile_records.cpp
    jpeg_decoder.cpp jpeg_orientation.cpp exif_orientation.cpp png_decoder.cpp gif_decoder.cpp
    alpha_blend.cpp)
set(WIN32_ONLY picture_file.cpp bitmap_reader.cpp jpeg_picture.cpp icon_picture.cpp
    metafile_picture.cpp jpeg_simd.cpp
    visible_part.cpp bgra_picture.cpp png_picture.cpp gif_picture.cpp)
