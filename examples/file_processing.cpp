// examples/file_processing.cpp - a file in, a file out: asks in the console for an image file, loads it
// into a window of its size, turns it into shades of grey through its pixels, and saves the result as a
// PNG file beside it, named <name>_grey.png.
//
// Paths are those of Windows; under Wine, C:\ is the prefix's drive_c folder and Z:\ the Linux root.
#include "vrxlib.h"

#include <stdint.h>
#include <string.h>

int user_routine(void) {
    char path[VRX_TEXT_SIZE];
    VRX_ShowConsole();
    VRX_Printf("Image file to load: ");
    VRX_InputText(path);   // waits for a line typed in the console

    int width, height;
    if (VRX_GetImageFileSize(path, &width, &height) != VRX_OK) {
        VRX_Printf("%s is not an image file this program can read\n", path);
        return 1;
    }
    // A 32-bit window of the picture's size (shown at a smaller zoom if the screen needs it); it becomes
    // the current image, which VRX_LoadImage draws into.
    if (VRX_CreateImage(0, path, -1, -1, width, height, 100) != VRX_OK || VRX_LoadImage(path, 0, 0) != VRX_OK) {
        VRX_Printf("cannot load %s\n", path);
        return 1;
    }

    // Grey: each pixel's luminance, 0.299 red + 0.587 green + 0.114 blue, in all three channels
    int stride;
    unsigned char *pixels = (unsigned char *)VRX_GetImagePixels(0, &stride);
    for (int y = 0; y < height; y++) {
        uint32_t *row = (uint32_t *)(pixels + (size_t)y * stride);
        for (int x = 0; x < width; x++) {
            uint32_t c = row[x];
            uint32_t grey = (299 * ((c >> 16) & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF) + 500) / 1000;
            row[x] = grey << 16 | grey << 8 | grey;
        }
    }
    VRX_UpdateImage(0);

    // The output name: the input's without its extension, then "_grey.png"
    char out[VRX_TEXT_SIZE + 16];
    strcpy(out, path);
    char *dot = strrchr(out, '.');
    if (dot && !strpbrk(dot, "\\/")) *dot = 0;
    strcat(out, "_grey.png");
    if (VRX_SaveImage(width, height, VRX_FORMAT_PNG, out) != VRX_OK) {
        VRX_Printf("cannot write %s\n", out);
        return 1;
    }
    VRX_Printf("saved %s\n", out);
    return 0;
}
