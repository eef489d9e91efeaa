// image/image_files.h - image files through GDI+: loading into the current image, saving a block of it,
// with UTF-16 paths inside (the narrow toolkit calls convert without cutting).
//
// Thread: the worker thread.

#pragma once

#include <wchar.h>

extern int vrx_jpeg_quality;   // EncoderQuality of JPEG files, 100

// Draws the image file at a UTF-16 path into the current image at (x, y); 0, 1 unreadable, 2 no image.
// An 8-bit image takes the file's palette, and keeps its own when the file cannot be drawn
int load_image_file_wide(const wchar_t *path, int x, int y);
// Writes the top-left width x height block of the current image to a UTF-16 path (given the format's
// extension unless it has it); 0, 1 not written or the path does not fit, 2 no size, 3 no image
int save_image_file_wide(int width, int height, int format, const wchar_t *path);
