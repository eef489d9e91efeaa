# app/sources.cmake - the conversion routine of each program, and what both share.
list(APPEND VRX_CORE_SOURCES app/stereo_canvas.cpp)
set(VRX_CENTRE_APP_SOURCES app/stereo_pair.cpp app/convert_centre.cpp)
set(VRX_SWAP_APP_SOURCES app/stereo_pair.cpp app/convert_swap.cpp)
