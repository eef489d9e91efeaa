// imaging/analysis_core.h - the analysis commands' work on plain data: the pixel probe's text, and the
// line-profile and Cb-Cr plot windows' sizes, titles, traces and labels.
//
// Windows-free. Thread: any.

#pragma once

#include "imaging/raster.h"
#include "imaging/text_core.h"

#include <stddef.h>

// The plots of the "Information..." menu
enum PlotKind { PLOT_RGB, PLOT_HSV, PLOT_YCRCB, PLOT_LUMI, PLOT_CRCB };

#define PROBE_TEXT 512   // room for the longest probe text

// Writes the probe lines of pixel (x, y) holding value on an image of depth 8 or 32 into out
void format_pixel_probe(char *out, size_t size, int x, int y, uint32_t value, int depth);
// Size of the plot window of a row width pixels long
void plot_size(int kind, int width, int *plot_width, int *plot_height);
// Title of the plot of row y, formatted into out
void plot_title(int kind, int y, char *out, size_t size);
// Draws the traces and labels of a plot of count entries (bytes for PLOT_LUMI, else 32-bit words);
// the labels use the bitmap font at cursor, each in its trace's colour. Returns the last label's colour,
// which the bitmap-font colour takes afterwards.
uint32_t draw_plot(const RasterView &plot, int kind, const void *row, int count, TextCursor *cursor);
// Draws the axes, labels and traces of a Cb-Cr plot of a rows x columns block in white; the last label's
// colour as draw_plot
uint32_t draw_crcb_area_plot(const RasterView &plot, const uint32_t *block, int rows, int columns, TextCursor *cursor);
