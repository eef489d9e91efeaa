// imaging/image_commands.h - the image window menu's analysis, pattern and transform commands, each on
// the image of the window whose menu was used.
//
// The commands that need points take them from the caller (which ran the point tool), so each one here
// is the work after the click: probe, plot, overwrite or transform, then invalidate.

#pragma once

#include <windows.h>

//----------------------------------------------------------------------------------
// Analysis
//----------------------------------------------------------------------------------

// Prints pixel (x, y) of image n in the six colour models into the console text window
void show_pixel_probe(int n, int x, int y);
// Opens a new plot window of row y of image n (PLOT_RGB ... PLOT_CRCB); its number, or -1 when no
// number can take it
int open_row_plot(int n, int kind, int y);
// Opens a new Cb-Cr plot window of the block (xmin, ymin)-(xmax, ymax) of image n; its number or -1
int open_area_plot(int n, int xmin, int ymin, int xmax, int ymax);

//----------------------------------------------------------------------------------
// Patterns and Invert
//----------------------------------------------------------------------------------

// Makes the window's image current and overwrites it with a test pattern (PATTERN_RGB ... PATTERN_GREY)
void apply_test_pattern(HWND window, int pattern);
// Turns every colour byte of the window's image into its complement
void invert_image(HWND window);

//----------------------------------------------------------------------------------
// Geometric transforms
//----------------------------------------------------------------------------------

// Mirrors the window's image left to right (horizontal true) or top to bottom
void flip_image(HWND window, bool horizontal);
// Turns the window's image by 90 degrees, clockwise or counter-clockwise; 0, or the failing status
int rotate_image(HWND window, bool clockwise);
// Rescales the window's image by factor thousandths; 0, or the failing status
int rescale_image(HWND window, int factor);
