/* examples/first_routine.c - a first user routine, in C: open an image window, go over its pixels, print
   in the console, and wait for OK.

   A program hosts one routine, user_routine. The main window's Start (or the S key) runs it on the
   toolkit's worker thread; the windows it opens stay after it returns. vrxlib.h is all it includes. */
#include "vrxlib.h"

#include <stdint.h>

int user_routine(void) {
    /* Image window 0: 256 x 256 pixels of 32 bits, shown at 100 %, where the system puts it. */
    if (VRX_CreateImage(0, "first routine", -1, -1, 256, 256, 100) != VRX_OK) return 1;

    /* The raster itself, no copy: rows top-down, stride bytes apart, each pixel a word 0x00RRGGBB.
       Red grows to the right, green downwards. */
    int stride;
    unsigned char *pixels = VRX_GetImagePixels(0, &stride);
    for (int y = 0; y < 256; y++) {
        uint32_t *row = (uint32_t *)(pixels + y * stride);
        for (int x = 0; x < 256; x++) row[x] = (uint32_t)x << 16 | (uint32_t)y << 8 | 0x40;
    }
    VRX_UpdateImage(0);   /* drawing shows once the raster is copied to the window */

    /* Read the pixels back: the mean of the red and of the green channel. */
    long red = 0, green = 0;
    for (int y = 0; y < 256; y++) {
        const uint32_t *row = (const uint32_t *)(pixels + y * stride);
        for (int x = 0; x < 256; x++) {
            red += (row[x] >> 16) & 0xFF;
            green += (row[x] >> 8) & 0xFF;
        }
    }

    /* The console is text window 0. Its log copies what it prints to VRXLIB0.LOG in the folder the
       program started in. */
    VRX_ShowConsole();
    VRX_StartLog(0);
    VRX_Printf("%d x %d pixels, mean red %ld, mean green %ld\n", VRX_GetImageWidth(0), VRX_GetImageHeight(0),
               red / (256 * 256), green / (256 * 256));

    /* A message box titled "Pause": the routine goes on when OK is pressed. */
    VRX_Pause("Look at the picture and the console, then press OK");
    return 0;
}
