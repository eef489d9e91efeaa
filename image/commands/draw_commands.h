// image/commands/draw_commands.h - the interactive drawing commands of an image window: Color Change and Pick,
// lines, boxes, circles, TrueType and bitmap-font text, Paint, each asking its points by click.

#pragma once

#include <windows.h>

// Carries out drawing command id on image window w; false when id is not one of these commands
bool draw_command(HWND w, int id);
