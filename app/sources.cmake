# app/sources.cmake - the conversion routine of each program.
set(VRX_CENTRE_APP_SOURCES app/convert_centre.cpp)
set(VRX_SWAP_APP_SOURCES app/convert_swap.cpp)
