// image/image_access.cpp - views of the image windows' rasters for the drawing and analysis routines.

#include "image/image_access.h"

#include "image/image_table.h"
#include "image/commands/drawing.h"

// The raster of image n when it is live
bool image_raster(int n, RasterView *view) {
    if (!image_exists(n)) return false;
    GdiFlush();   // GDI drawing into the DIB section lands before its pixels are read directly
    const ImageRecord &r = vrx_images[n];
    *view = raster_view(pixels8[n], r.width, r.height, r.depth);
    return true;
}

// The raster of the current image when it is live
bool current_raster(RasterView *view) { return image_raster(vrx_current_image, view); }

// The memory DC of the current image when it is live
HDC current_image_dc(void) {
    return image_exists(vrx_current_image) ? vrx_images[vrx_current_image].memory_dc : nullptr;
}
