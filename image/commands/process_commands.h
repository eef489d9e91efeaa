// image/commands/process_commands.h - the Process menu's analysis, test pattern and transform commands of an
// image window: Pixel, the line and area profiles, the test patterns, Invert, flips, rotations, rescales.
//
// Thread: the worker thread (inside the image window procedure).
// Each is a handler of the image window's command table (image/image_menus.cpp): it gets the image the
// table picked, the window and the command's own argument, and returns true when the table's repaint
// should follow.

#pragma once

#include <windows.h>

// Pixel: a clicked pixel printed in every colour model into the console
bool probe_command(int n, HWND w, int);
// Line(RGB), Line(HSV), Line(YCrCb), Line(CrCb), Line(Lumi): a clicked row's profile (kind PLOT_*) in a new window
bool profile_command(int n, HWND w, int kind);
// Area(CrCb): the Cb-Cr traces of a dragged rectangle in a new window
bool area_command(int n, HWND w, int);
// Test Pattern...: the pattern (PATTERN_*) over the whole image
bool pattern_command(int n, HWND w, int pattern);
// Invert, Horz. Flip or Vert. Flip (by command id) on the raster itself
bool raster_command(int n, HWND w, int id);
// R. Rotate (clockwise 1) or L. Rotate (0): the image re-created height x width, its content turned
bool rotate_command(int n, HWND w, int clockwise);
// Size...: the image rescaled by factor thousandths, resampled in its stretch mode
bool rescale_command(int n, HWND w, int factor);
