# imaging/sources.cmake - drawing primitives, colour models, transforms, interactive drawing, text drawing.
# VRX_VARIANT_SOURCES are compiled once per program, with VRX_SWAP_VARIANT 0 or 1.
list(APPEND VRX_CORE_SOURCES imaging/raster.cpp imaging/draw_core.cpp imaging/color_core.cpp
  imaging/transform_core.cpp imaging/text_core.cpp imaging/font8x14.cpp
  imaging/analysis_core.cpp)
list(APPEND VRX_CORE_SOURCES imaging/rle_decode.cpp)
list(APPEND VRX_WIN32_SOURCES imaging/drawing.cpp imaging/image_access.cpp imaging/color_dialog.cpp
  imaging/tt_text.cpp imaging/bitmap_text.cpp imaging/process_commands.cpp)
list(APPEND VRX_VARIANT_SOURCES imaging/draw_box.cpp imaging/draw_commands.cpp)
list(APPEND VRX_CORE_SOURCES imaging/draw_command_core.cpp)
