// image/commands/process_commands.h - the Process menu's analysis, test pattern and transform commands of an
// image window: Pixel, the line and area profiles, the test patterns, Invert, flips, rotations, rescales.

#pragma once

#include <windows.h>

// Carries out Process-menu command id on image window w; false when id is not one of these commands
bool process_command(HWND w, int id);
