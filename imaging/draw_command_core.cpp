// imaging/draw_command_core.cpp - colours picked from a pixel, and the placement of TrueType box text.
//
// Thread: any (no state of its own).

#include "imaging/draw_command_core.h"

// The colours Pick takes from a pixel value
PickedColours pick_colours(uint32_t value, int depth, const unsigned char *palette) {
    PickedColours c = {value, value};
    if (depth == 8) {
        c.draw = value & 0xFF;
        if (palette) {
            const unsigned char *entry = palette + 4 * c.draw;
            c.tttc = ((uint32_t)entry[2] << 16) | ((uint32_t)entry[1] << 8) | entry[0];
        }
    }
    return c;
}

// The text cursor and font size for a sorted box
TrueTypeBox truetype_box(int xmin, int ymin, int xmax, int ymax) {
    TrueTypeBox b;
    b.x = xmin;
    b.margin = xmin;
    b.baseline = ymax;
    b.size_width = xmax - xmin + 1;
    b.size_height = ymax - ymin + 1;
    return b;
}
