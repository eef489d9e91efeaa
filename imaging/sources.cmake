# imaging/sources.cmake - the Windows-free core: rasters, primitives, colour models, analysis, transforms,
# bitmap font and text layout, run-length decoding.
list(APPEND VRX_CORE_SOURCES imaging/raster.cpp imaging/draw_core.cpp imaging/color_core.cpp
  imaging/transform_core.cpp imaging/text_core.cpp imaging/font8x14.cpp imaging/analysis_core.cpp
  imaging/draw_command_core.cpp imaging/rle_decode.cpp)
