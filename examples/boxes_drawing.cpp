// examples/boxes_drawing.cpp - the input box and the button box driving a drawing: type a centre and a
// radius, press Draw and a disc appears; Clear blacks the picture out; Quit, or Stop in the main window,
// ends the routine.
//
// A routine that waits for the person must keep the windows answering: the windows run on the thread of
// the routine, and they answer only while it is inside a toolkit call. VRX_WaitTime waits that way, and
// says when Stop was chosen.
#include "vrxlib.h"

int user_routine(void) {
    VRX_CreateImage(0, "boxes", 320, 60, 320, 240, 100);

    // Three labelled fields. A typed value counts once its field loses the focus (Tab, Enter, a click
    // on a button); until then a field reads as "0".
    VRX_OpenInputBox(20, 60, 3);
    const char *labels[3] = {"x", "y", "radius"};
    for (int i = 0; i < 3; i++) VRX_SetInputBoxTitle(i, labels[i]);

    // Three buttons in a row; the toolkit counts the presses of each.
    VRX_OpenButtonBox(20, 240, 3, 1);
    VRX_SetButtonBoxTitle(0, "Draw");
    VRX_SetButtonBoxTitle(1, "Clear");
    VRX_SetButtonBoxTitle(2, "Quit");

    while (VRX_GetButtonBoxCount(2) == 0) {
        if (VRX_WaitTime(20) == VRX_WAIT_STOPPED) break;
        if (VRX_GetButtonBoxCount(0) > 0) {   // Draw
            VRX_ClearButtonBoxCount(0);
            VRX_SetDrawColor(0xFFD700);
            VRX_DrawDisc(VRX_GetInputBoxValue(0), VRX_GetInputBoxValue(1), VRX_GetInputBoxValue(2));
            VRX_UpdateImage(0);
        }
        if (VRX_GetButtonBoxCount(1) > 0) {   // Clear: a box over the whole picture in black
            VRX_ClearButtonBoxCount(1);
            VRX_SetDrawColor(0x000000);
            VRX_DrawBox(0, 0, VRX_GetImageWidth(0) - 1, VRX_GetImageHeight(0) - 1);
            VRX_UpdateImage(0);
        }
    }
    VRX_CloseButtonBox();
    VRX_CloseInputBox();
    return 0;
}
