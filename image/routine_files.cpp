// image/routine_files.cpp - what a user routine asks of an image file before loading it: its size, so
// that it can make an image window to hold it.
//
// Thread: the worker thread (the user routine).

#include "base/gdiplus_api.h"
#include "vrxlib.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// Reads the size of the picture in an image file (ANSI path); VRX_OK, or VRX_LOAD_UNREADABLE with 0 x 0
int VRX_GetImageFileSize(const char *path, int *width, int *height) {
    if (width) *width = 0;
    if (height) *height = 0;
    // NOTE: a path of more than 259 characters is refused: cut to fit it would name another file.
    wchar_t wide[MAX_PATH];
    if (!path || !path[0] || MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0) return VRX_LOAD_UNREADABLE;
    GpImage *image = nullptr;
    if (GdipLoadImageFromFile(wide, &image) != Ok || !image) return VRX_LOAD_UNREADABLE;
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    GdipDisposeImage(image);
    if (w == 0 || h == 0) return VRX_LOAD_UNREADABLE;
    if (width) *width = (int)w;
    if (height) *height = (int)h;
    return VRX_OK;
}
