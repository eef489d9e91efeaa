// imaging/draw_core.cpp - lines, boxes, circles, discs, the flood fill and their xor forms on a
// raster view.
//
// NOTE: no primitive allocates; the flood fill keeps its seeds in a fixed array on the stack.
//
// Thread: any (no state of its own).

#include "imaging/draw_core.h"

#include <string.h>

// Moves the pen, when the caller keeps one, to (x, y)
static void move_pen(Pen *pen, int x, int y) {
    if (!pen) return;
    pen->x = x;
    pen->y = y;
}

//----------------------------------------------------------------------------------
// Pen-moving pixels
//----------------------------------------------------------------------------------

// Moves the pen to (x, y) and sets the pixel if inside
void plot_pixel(const RasterView &r, int x, int y, uint32_t colour, Pen *pen) {
    move_pen(pen, x, y);
    put_pixel(r, x, y, colour);
}

// Moves the pen to (x, y) and inverts the pixel if inside
void xor_plot_pixel(const RasterView &r, int x, int y, Pen *pen) {
    move_pen(pen, x, y);
    xor_pixel(r, x, y);
}

//----------------------------------------------------------------------------------
// Lines and boxes
//----------------------------------------------------------------------------------

// Visits the line's pixels once each, setting them (invert false) or inverting them (invert true)
static void walk_line(const RasterView &r, bool invert, uint32_t colour, int x1, int y1, int x2, int y2, Pen *pen) {
    move_pen(pen, x2, y2);
    // Straight runs visit only their inside part: the pixels outside would be skipped one by one
    if (x1 == x2) {
        int lo = y1 < y2 ? y1 : y2, hi = y1 < y2 ? y2 : y1;
        if (lo < 0) lo = 0;
        if (hi > r.height - 1) hi = r.height - 1;
        for (int y = lo; y <= hi; y++) {
            if (invert) xor_pixel(r, x1, y); else put_pixel(r, x1, y, colour);
        }
        return;
    }
    if (y1 == y2) {
        int lo = x1 < x2 ? x1 : x2, hi = x1 < x2 ? x2 : x1;
        if (lo < 0) lo = 0;
        if (hi > r.width - 1) hi = r.width - 1;
        for (int x = lo; x <= hi; x++) {
            if (invert) xor_pixel(r, x, y1); else put_pixel(r, x, y1, colour);
        }
        return;
    }
    if (x1 > x2) {
        int t = x1; x1 = x2; x2 = t;
        t = y1; y1 = y2; y2 = t;
    }
    int dx = x2 - x1, dy = y2 > y1 ? y2 - y1 : y1 - y2, sy = y2 > y1 ? 1 : -1;
    int x = x1, y = y1;
    if (invert) xor_pixel(r, x, y); else put_pixel(r, x, y, colour);
    if (dx >= dy) {
        int e = (dx + 1) / 2;
        while (x != x2) {
            x += 1;
            e -= dy;
            if (e <= 0) { e += dx; y += sy; }
            if (invert) xor_pixel(r, x, y); else put_pixel(r, x, y, colour);
        }
    } else {
        int e = (dy + 1) / 2;
        while (y != y2) {
            y += sy;
            e -= dx;
            if (e <= 0) { e += dy; x += 1; }
            if (invert) xor_pixel(r, x, y); else put_pixel(r, x, y, colour);
        }
    }
}

// Sets the pixels of the line from (x1, y1) to (x2, y2); pen := (x2, y2)
void draw_line(const RasterView &r, uint32_t colour, int x1, int y1, int x2, int y2, Pen *pen) {
    walk_line(r, false, colour, x1, y1, x2, y2, pen);
}

// Inverts the pixels of the line, each once; pen := (x2, y2)
void xor_line(const RasterView &r, int x1, int y1, int x2, int y2, Pen *pen) {
    walk_line(r, true, 0, x1, y1, x2, y2, pen);
}

// Draws the four sides in colour, unsorted; the pen ends at (x1, y1)
void draw_box_outline(const RasterView &r, int x1, int y1, int x2, int y2, uint32_t colour, Pen *pen) {
    draw_line(r, colour, x1, y1, x2, y1);
    draw_line(r, colour, x2, y1, x2, y2);
    draw_line(r, colour, x2, y2, x1, y2);
    draw_line(r, colour, x1, y2, x1, y1, pen);
}

// Puts the two coordinates in order
static void sort_pair(int *a, int *b) {
    if (*a > *b) { int t = *a; *a = *b; *b = t; }
}

// Sets the pixels xa..xb (xa <= xb) of row y that lie on the raster to colour (its low byte on 8 bits)
static void fill_span(const RasterView &r, int y, int xa, int xb, uint32_t colour) {
    if (!r.pixels || (unsigned)y >= (unsigned)r.height) return;
    if (xa < 0) xa = 0;
    if (xb > r.width - 1) xb = r.width - 1;
    if (xa > xb) return;
    if (r.depth == 32) {
        uint32_t *row = (uint32_t *)raster_row(r, y);
        for (int x = xa; x <= xb; x++) row[x] = colour;
    } else if (r.depth == 8) {
        memset(raster_row(r, y) + xa, (int)(colour & 0xFF), (size_t)(xb - xa + 1));
    }
}

// Draws the sorted rectangle's border in border and its interior in fill
void draw_box(const RasterView &r, int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill, Pen *pen) {
    sort_pair(&x1, &x2);
    sort_pair(&y1, &y2);
    draw_line(r, border, x1, y1, x2, y1);
    draw_line(r, border, x2, y1, x2, y2);
    draw_line(r, border, x2, y2, x1, y2);
    draw_line(r, border, x1, y2, x1, y1, pen);
    // Differences in 64 bits: corners far apart must not overflow the test
    if ((int64_t)x2 - x1 >= 2 && (int64_t)y2 - y1 >= 2) {
        // Only the rows that can be inside are drawn; the pen ends where the last row would end
        int top = y1 + 1 > 0 ? y1 + 1 : 0, bottom = y2 - 1 < r.height - 1 ? y2 - 1 : r.height - 1;
        for (int y = top; y <= bottom; y++) fill_span(r, y, x1 + 1, x2 - 1, fill);
        move_pen(pen, x2 - 1, y2 - 1);
    }
}

// Draws the sorted rectangle's rows first..last-1: a border row across the top and the bottom, a border
// pixel at each end and the fill between them on every row in between
void draw_box_rows(const RasterView &r, int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill,
                   int first, int last) {
    sort_pair(&x1, &x2);
    sort_pair(&y1, &y2);
    if (first < 0) first = 0;
    if (last > r.height) last = r.height;
    int top = y1 > first ? y1 : first, bottom = y2 < last - 1 ? y2 : last - 1;
    for (int y = top; y <= bottom; y++) {
        if (y == y1 || y == y2) {
            fill_span(r, y, x1, x2, border);
            continue;
        }
        put_pixel(r, x1, y, border);
        put_pixel(r, x2, y, border);
        if ((int64_t)x2 - x1 >= 2) fill_span(r, y, x1 + 1, x2 - 1, fill);
    }
}

// Inverts the outline of the sorted rectangle
// NOTE: a rectangle one pixel wide and more than two high has its column inverted twice, so only
//       its two end pixels change
void xor_box_outline(const RasterView &r, int x1, int y1, int x2, int y2) {
    sort_pair(&x1, &x2);
    sort_pair(&y1, &y2);
    xor_line(r, x1, y1, x2, y1);
    if (y2 != y1) xor_line(r, x1, y2, x2, y2);
    if ((int64_t)y2 - y1 > 1) {
        xor_line(r, x1, y1 + 1, x1, y2 - 1);
        xor_line(r, x2, y1 + 1, x2, y2 - 1);
    }
}

// Inverts every pixel of the sorted rectangle once
void xor_box_fill(const RasterView &r, int x1, int y1, int x2, int y2, Pen *pen) {
    sort_pair(&x1, &x2);
    sort_pair(&y1, &y2);
    int top = y1 > 0 ? y1 : 0, bottom = y2 < r.height - 1 ? y2 : r.height - 1;
    for (int y = top; y <= bottom; y++) xor_line(r, x1, y, x2, y);
    move_pen(pen, x2, y2);
}

//----------------------------------------------------------------------------------
// Circles and discs
//----------------------------------------------------------------------------------

enum CircleMode { CIRCLE_SET, CIRCLE_XOR, DISC_SET, DISC_XOR };

// Sets or inverts one outline point; last moves the pen there
static void circle_point(const RasterView &r, CircleMode mode, uint32_t colour, int x, int y, bool last) {
    if (mode == CIRCLE_XOR) xor_plot_pixel(r, x, y);
    else if (last) plot_pixel(r, x, y, colour);
    else put_pixel(r, x, y, colour);
}

// Sets or inverts one row of a disc from xa to xb
static void disc_row(const RasterView &r, CircleMode mode, uint32_t colour, int xa, int xb, int y) {
    if (mode == DISC_XOR) xor_line(r, xa, y, xb, y);
    else draw_line(r, colour, xa, y, xb, y);
}

// The octant walk shared by circles and discs: outline points or disc rows for each step
static void circle_walk(const RasterView &r, CircleMode mode, int cx, int cy, int rad, uint32_t colour) {
    bool disc = mode == DISC_SET || mode == DISC_XOR;
    int i = 0, R = rad, d = rad;
    int limit = (int)(((int64_t)rad * 5) / 7);
    bool shrunk = false;
    do {
        if (!disc) {
            circle_point(r, mode, colour, cx - i, cy + R, false);
            circle_point(r, mode, colour, cx + i, cy - R, false);
            if (i != 0 && i != R) {
                circle_point(r, mode, colour, cx + i, cy + R, false);
                circle_point(r, mode, colour, cx - i, cy - R, false);
                circle_point(r, mode, colour, cx + R, cy - i, false);
                circle_point(r, mode, colour, cx - R, cy + i, false);
            }
            circle_point(r, mode, colour, cx + R, cy + i, false);
            circle_point(r, mode, colour, cx - R, cy - i, true);
        } else if (i != R) {
            disc_row(r, mode, colour, cx - R, cx + R, cy + i);
            if (i != 0) disc_row(r, mode, colour, cx - R, cx + R, cy - i);
        }
        d -= 2 * i + 1;
        shrunk = d <= 0;
        if (shrunk) {
            if (disc) {
                disc_row(r, mode, colour, cx - i, cx + i, cy + R);
                disc_row(r, mode, colour, cx - i, cx + i, cy - R);
            }
            d += 2 * R - 2;
            R -= 1;
        }
        i += 1;
    } while (i <= limit && i <= R);
    if (disc && !shrunk) {
        int last = i - 1;
        disc_row(r, mode, colour, cx - last, cx + last, cy + R);
        disc_row(r, mode, colour, cx - last, cx + last, cy - R);
    }
}

// Draws the circle outline in colour
void draw_circle(const RasterView &r, int cx, int cy, int rad, uint32_t colour) {
    circle_walk(r, CIRCLE_SET, cx, cy, rad, colour);
}

// Inverts the circle outline
void xor_circle(const RasterView &r, int cx, int cy, int rad) {
    circle_walk(r, CIRCLE_XOR, cx, cy, rad, 0);
}

// Fills the disc in colour, then draws its outline over it
void draw_disc(const RasterView &r, int cx, int cy, int rad, uint32_t colour) {
    circle_walk(r, DISC_SET, cx, cy, rad, colour);
    draw_circle(r, cx, cy, rad, colour);
}

// Inverts every pixel of the disc once
void xor_disc(const RasterView &r, int cx, int cy, int rad) {
    circle_walk(r, DISC_XOR, cx, cy, rad, 0);
}

//----------------------------------------------------------------------------------
// Fill
//----------------------------------------------------------------------------------

// True when (x, y) is inside and holds target; outside never matches, whatever target is
static bool is_target(const RasterView &r, int x, int y, uint32_t target) {
    return raster_inside(r, x, y) && get_pixel(r, x, y) == target;
}

// Fills the 4-connected region of the value at (x, y) with colour
// NOTE: the region test is bounds-first, so a target of any value (0xFFFFFFFF included, which reads
//       like "outside" through get_pixel_checked) never walks off the raster
void flood_fill(const RasterView &r, int x, int y, uint32_t colour) {
    if (!raster_inside(r, x, y) || (r.depth != 8 && r.depth != 32)) return;
    uint32_t stored = r.depth == 8 ? (colour & 0xFF) : colour;
    uint32_t target = get_pixel(r, x, y);
    if (target == stored) return;

    int seeds_x[VRX_FILL_STACK], seeds_y[VRX_FILL_STACK];
    int count = 0;
    for (;;) {
        bool up_pushed = false, down_pushed = false;
        while (is_target(r, x - 1, y, target)) x--;
        int xl = x;
        while (is_target(r, x, y, target)) {
            bool above = is_target(r, x, y - 1, target);
            if (!up_pushed && above && count < VRX_FILL_STACK) {
                seeds_x[count] = x; seeds_y[count] = y - 1; count++;
                up_pushed = true;
            }
            if (up_pushed && !above) up_pushed = false;
            bool below = is_target(r, x, y + 1, target);
            if (!down_pushed && below && count < VRX_FILL_STACK) {
                seeds_x[count] = x; seeds_y[count] = y + 1; count++;
                down_pushed = true;
            }
            if (down_pushed && !below) down_pushed = false;
            x += 1;
        }
        draw_line(r, colour, xl, y, x - 1, y);
        bool found = false;
        while (count > 0) {
            count--;
            x = seeds_x[count];
            y = seeds_y[count];
            if (is_target(r, x, y, target)) { found = true; break; }
        }
        if (!found) break;
    }
}
