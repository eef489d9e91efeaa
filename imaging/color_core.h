// imaging/color_core.h - the toolkit's colour arithmetic: luminance and chroma in fixed point with 16
// fractional bits, HSV with the spread as saturation, the profile and Cb-Cr plot mapping, the six test
// patterns as functions of the pixel position, and Invert.
//
// NOTE: q(n) adds 32768 and divides by 65536 truncating toward zero (not flooring), so a negative sum
//       just below -84 gives -84. The printed and plotted numbers depend on this rounding.
//
// Thread: any (no state of its own).

#pragma once

#include "imaging/raster.h"

//----------------------------------------------------------------------------------
// Fixed-point colour models (colours are 0x00RRGGBB)
//----------------------------------------------------------------------------------

// Fixed-point rounding: (n + 32768) / 65536, truncated toward zero
int fixed_round(int64_t n);
// Luminance Y, 0..255
int color_y(uint32_t colour);
// Centred Cr, -128..127
int color_cr(uint32_t colour);
// Centred Cb, -128..127
int color_cb(uint32_t colour);
// u of YUV
int color_u(uint32_t colour);
// v of YUV
int color_v(uint32_t colour);
// I of YIQ
int color_i(uint32_t colour);
// Q of YIQ
int color_q(uint32_t colour);

// Hue 0..359, saturation as the spread max - min (0..255) and value max (0..255)
void rgb_to_hsv(uint32_t colour, int *h, int *s, int *v);
// Hue of rgb_to_hsv
int rgb_to_hue(uint32_t colour);
// Saturation (spread) of rgb_to_hsv
int rgb_to_saturation(uint32_t colour);
// Value of rgb_to_hsv
int rgb_to_value(uint32_t colour);
// The colour of value v, spread s and hue h (degrees; below 0 taken as 0)
uint32_t hsv_to_rgb(int v, int s, int h);

//----------------------------------------------------------------------------------
// Profiles and Cb-Cr plots
//----------------------------------------------------------------------------------
#define PROFILE_R        0x0001
#define PROFILE_G        0x0002
#define PROFILE_B        0x0004
#define PROFILE_H        0x0008
#define PROFILE_S        0x0010
#define PROFILE_V        0x0020
#define PROFILE_POINTS   0x0040   // each point on its own
#define PROFILE_LINES    0x0080   // points joined from the pen position
#define PROFILE_Y        0x0100
#define PROFILE_CR       0x0200
#define PROFILE_CB       0x0400
#define PROFILE_BYTE     0x1000   // entries are bytes (8-bit pixels), taken as they are

#define PROFILE_HEIGHT   128
#define CRCB_SIZE        256

// The value of one profile entry's channel (flags select it) and that channel's full scale
void profile_value(uint32_t entry, int flags, int *value, int *scale);
// The plot row of a value in 0..scale: 127 for 0, 0 for the full scale
int profile_row(int value, int scale);
// Plots one channel of count entries (32-bit words, or bytes with PROFILE_BYTE) at columns x0 + i
void plot_profile(const RasterView &plot, const void *data, int x0, int count, int flags, uint32_t colour);
// Column and row of a colour's point in a Cb-Cr plot
void crcb_point(uint32_t colour, int *x, int *y);
// Draws the two grey axes of a Cb-Cr plot
void plot_crcb_axes(const RasterView &plot);
// Plots one row's Cb-Cr trace: points joined, segments alternating white and magenta
void plot_crcb_trace(const RasterView &plot, const uint32_t *data, int count);
// Plots the traces of a block of rows x columns pixels in white, each row joined on its own
void plot_crcb_block(const RasterView &plot, int rows, const uint32_t *data, int columns);

//----------------------------------------------------------------------------------
// Test patterns and Invert
//----------------------------------------------------------------------------------
enum TestPattern { PATTERN_RGB, PATTERN_HSV, PATTERN_YCRCB, PATTERN_YUV, PATTERN_YIQ, PATTERN_GREY };

// The colour of a pattern at pixel (x, y) of a w x h image
uint32_t pattern_color(int pattern, int x, int y, int w, int h);
// Overwrites every pixel with the pattern, moving the pen with each (8-bit rasters take the low byte)
void fill_pattern(const RasterView &r, int pattern);
// Turns every colour byte c into 255 - c (an 8-bit index i into 255 - i); row padding is left alone
void invert_raster(const RasterView &r);
