// imaging/draw_commands.cpp - the interactive drawing commands of an image window.

#include "imaging/draw_commands.h"

// Carries out drawing command id on image window w; false when id is not one of these commands
bool draw_command(HWND, int) { return false; }
