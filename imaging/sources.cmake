# imaging/sources.cmake - drawing primitives, colour models, transforms, interactive drawing, text drawing.
# VRX_VARIANT_SOURCES are compiled once per program, with VRX_SWAP_VARIANT 0 or 1.
list(APPEND VRX_CORE_SOURCES imaging/raster.cpp imaging/draw_core.cpp)
