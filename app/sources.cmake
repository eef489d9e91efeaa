# app/sources.cmake - the conversion routine of each program, and what both share.
# VRX_APP_CORE_SOURCES are free of <windows.h>: the native unit tests build them too.
set(VRX_APP_CORE_SOURCES app/stereo_canvas.cpp)
set(VRX_CENTRE_APP_SOURCES app/stereo_pair.cpp app/convert_centre.cpp ${VRX_APP_CORE_SOURCES})
set(VRX_SWAP_APP_SOURCES app/stereo_pair.cpp app/convert_swap.cpp ${VRX_APP_CORE_SOURCES})
