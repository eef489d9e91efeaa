// image/commands/draw_commands.h - the interactive drawing commands of an image window: Color Change and
// Pick, lines, boxes, circles, TrueType and bitmap-font text, Paint, each asking its points by click.
//
// Thread: the worker thread (inside the image window procedure).
// Each is a handler of the image window's command table (image/image_menus.cpp): it gets the image the
// table picked (n, -1 for commands that act on no image), the window and the command's id, and returns
// true when it drew, so the table's repaint follows.

#pragma once

#include <windows.h>

// Color... Change: the colour dialog for the drawing colour and both text colours
bool color_change_command(int n, HWND w, int id);
// Color... Pick: the drawing colour and the TrueType colour from a clicked pixel
bool color_pick_command(int n, HWND w, int id);
// Draw Line... Normal, Horz. or Vert. (by id)
bool line_command(int n, HWND w, int id);
// Draw Box... Normal, Fill or Fill XOR (by id)
bool box_command(int n, HWND w, int id);
// Draw Circle... Normal, Fill or Fill XOR (by id)
bool circle_command(int n, HWND w, int id);
// Draw Text: bitmap-font text typed at "Text>", its baseline at a clicked point
bool text_command(int n, HWND w, int id);
// Paint: the flood fill from a clicked point
bool paint_command(int n, HWND w, int id);
// TrueType... Draw: text typed at "Text>" into a dragged box, the font sized to the box
bool truetype_command(int n, HWND w, int id);
// TrueType... Font Change: the font dialog
bool font_change_command(int n, HWND w, int id);
