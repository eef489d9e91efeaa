// image/image_access.h - what the Win32 side of imaging needs of an image window beyond its raster.

#pragma once

#include <windows.h>

// The memory DC of the current image when it is live, else nullptr
HDC current_image_dc(void);
