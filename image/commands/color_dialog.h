// image/commands/color_dialog.h - the "Color..." -> "Change" command: the system colour dialog for the
// drawing colour and the two text colours.
//
// Thread: the worker thread.

#pragma once

#include <windows.h>

extern COLORREF vrx_custom_colors[16];   // the dialog's custom colours, kept for the life of the process

// Sets the dialog's 16 custom colours back to 0 (start-up)
void clear_custom_colors(void);

// Opens the colour dialog owned by owner at the drawing colour with the custom colours; whatever the
// outcome, the dialog's result colour becomes the drawing colour, vrx_tttc and vrx_tc. Returns 0
// chosen, 1 cancelled
// NOTE: on Cancel the result is the starting colour: the drawing colour stays and both text colours
//       take it. The custom colours are the dialog's own array, so additions stay even on Cancel.
int choose_drawing_color(HWND owner);
// A 0x00RRGGBB colour as a COLORREF (and back: the exchange is its own inverse)
COLORREF swap_red_blue(unsigned int colour);
