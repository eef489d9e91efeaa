// tests/e2e/probe/image_routine.cpp - the user routine of the test program vrx_image_probe: it opens
// image window 0 with a picture in it and returns, so that the image window's commands (dialogs,
// point tools) can be driven from outside while the worker thread is idle.
#include "vrxlib.h"

int user_routine(void) {
    if (VRX_CreateImage(0, "probe", 100, 100, 160, 120, 100) != 0) return 1;
    for (int y = 10; y < 110; y += 20) VRX_DrawBox(10, y, 150, y + 9);
    VRX_UpdateImage(0);
    return 0;
}
