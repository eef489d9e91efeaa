// imaging/draw_command_core.h - what the interactive drawing commands work out from their clicks: the
// colours Pick takes from a pixel and the text cursor and font size of a TrueType text box.
//
// Windows-free: imaging/draw_commands.cpp asks for the points, calls these and draws.
//
// Thread: any (no state of its own).

#pragma once

#include <stdint.h>

// The two colours Pick sets
struct PickedColours {
    uint32_t draw;   // the drawing colour: the pixel value itself (a palette index on an 8-bit image)
    uint32_t tttc;   // the TrueType text colour 0x00RRGGBB
};

// Where TrueType text typed for a dragged box goes and how large its font is made
struct TrueTypeBox {
    int x, margin, baseline;          // text cursor: left edge, left margin, bottom row
    int size_width, size_height;      // the arguments of tt_set_font_size (the font is half as wide)
};

// The colours Pick takes from pixel value on an image of depth 8 or 32; palette holds the 8-bit
// image's 256 colour-table entries as bytes blue, green, red, unused (ignored for 32 bits)
PickedColours pick_colours(uint32_t value, int depth, const unsigned char *palette);
// The text cursor and font size for the sorted box (xmin, ymin) - (xmax, ymax)
TrueTypeBox truetype_box(int xmin, int ymin, int xmax, int ymax);
