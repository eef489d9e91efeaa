// examples/click_drawing.cpp - waiting for clicks and drawing what was clicked: each left click on the
// picture draws a ring there with its position beside it; a right click ends the points, and two more
// clicks give a rectangle, drawn as an outline.
//
// The point tools prompt on the main window's status line and wait, keeping the windows answering. They
// return VRX_OK with the point, or VRX_POINT_CANCELLED (right click), VRX_POINT_STOPPED (Stop) and so on.
#include "vrxlib.h"

#include <stdio.h>

int user_routine(void) {
    VRX_CreateImage(0, "clicks", -1, -1, 320, 240, 100);
    VRX_ShowConsole();
    VRX_Printf("Click the picture; a right click ends the points.\n");

    vrx_tc = 0x00FFFF;   // the colour of bitmap-font text; shapes use the drawing colour (white)
    int x, y;
    while (VRX_WaitClick(0, &x, &y) == VRX_OK) {
        char label[32];
        snprintf(label, sizeof label, "%d,%d", x, y);
        VRX_DrawCircle(x, y, 6);
        VRX_DrawText(x + 9, y + 4, label);   // text stands on its baseline, row y + 4
        VRX_UpdateImage(0);
        VRX_Printf("point (%d, %d)\n", x, y);
    }
    if (VRX_GetStopRequest()) return 0;   // Stop ends the routine at once

    VRX_Printf("Now two corners of a rectangle.\n");
    int x1, y1, x2, y2;
    if (VRX_WaitRectangle(0, &x1, &y1, &x2, &y2) == VRX_OK) {   // the corners come sorted
        VRX_DrawBoxOutline(x1, y1, x2, y2);
        VRX_UpdateImage(0);
        VRX_Printf("rectangle (%d, %d) - (%d, %d)\n", x1, y1, x2, y2);
    }
    return 0;
}
