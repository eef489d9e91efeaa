// hello.c - a user routine in C, written outside the quarvex tree on vrxlib.h alone: a picture with a box
// in it, then a word in a message box. Built with either form of VRX_DrawBox.
#include "vrxlib.h"

int user_routine(void) {
    VRX_CreateImage(0, "hello", -1, -1, 160, 120, 100);
#if VRX_SWAP_VARIANT
    VRX_DrawBox(20, 20, 139, 99, 0xFFFFFF, 0xFF0000);   // white border, red inside
#else
    VRX_DrawBox(20, 20, 139, 99);                       // all in the drawing colour, white
#endif
    VRX_UpdateImage(0);
    VRX_Pause("Hello from my own routine");
    return 0;
}
