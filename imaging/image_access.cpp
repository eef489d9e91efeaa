// imaging/image_access.cpp - views of the image windows' rasters for the drawing and analysis routines.
//
// NOTE: provisional: the image table does not hold rasters yet, so no image is ever live here.

#include "imaging/image_access.h"

#include "imaging/drawing.h"

// The raster of image n when it is live
bool image_raster(int, RasterView *) { return false; }

// The raster of the current image when it is live
bool current_raster(RasterView *) { return false; }

// The memory DC of the current image when it is live
HDC current_image_dc(void) { return nullptr; }
