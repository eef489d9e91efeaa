// image/commands/draw_commands.cpp - the interactive drawing commands of an image window: Color Change and
// Pick, lines, boxes, circles, bitmap-font and TrueType text, Paint and Font Change.
//
// Thread: the worker thread.
// NOTE: compiled once per program, because the Fill box command calls VRX_DrawBox in the form of the
//       program: quarvex-swap passes the drawing colour as both border and fill colour.
// NOTE: a point tool and the "Text>" prompt pump messages, so the image can be closed while they wait;
//       after each of them a command goes on only while its window still holds the current image. A
//       tool that was cancelled, stopped (Stop, Exit) or lost its window ends the command at once.

#include "image/commands/draw_commands.h"

#include "base/command_ids.h"
#include "base/process.h"
#include "image/click_wait.h"
#include "image/commands/bitmap_text.h"
#include "image/commands/color_dialog.h"
#include "image/commands/current_primitives.h"
#include "image/commands/tt_text.h"
#include "image/image_table.h"
#include "imaging/draw_command_core.h"
#include "text/console.h"
#include "vrxlib.h"

//----------------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------------

// True while window w still shows image n and n is the current image
static bool still_current(int n, HWND w) { return image_shown_in(n, w) && vrx_current_image == n; }

// Shows the console, prompts "Text>" and reads the answer into line (256 bytes); false when the
// program is ending meanwhile (a closed console gives an empty line, which draws nothing)
static bool read_text_line(char line[256]) {
    VRX_ShowConsole();
    return console_ask(line, "Text>") != CONSOLE_EXIT;
}

// Fills a box in the drawing colour with the program's own VRX_DrawBox
static void fill_box(int xmin, int ymin, int xmax, int ymax) {
#if VRX_SWAP_VARIANT
    VRX_DrawBox(xmin, ymin, xmax, ymax, vrx_draw_color, vrx_draw_color);
#else
    VRX_DrawBox(xmin, ymin, xmax, ymax);
#endif
}

//----------------------------------------------------------------------------------
// Commands that draw where the person clicks
//----------------------------------------------------------------------------------

// Draw Line... Normal, Horz. or Vert. (by id)
bool line_command(int n, HWND w, int id) {
    int x1, y1, x2, y2;
    if (id == IDM_LINE_NORMAL) {
        if (wait_line(n, &x1, &y1, &x2, &y2) != 0 || !still_current(n, w)) return false;
        draw_line(vrx_draw_color, x1, y1, x2, y2);
    } else if (id == IDM_LINE_HORZ) {
        if (wait_row(n, &x1, &y1) != 0 || !still_current(n, w)) return false;
        draw_line(vrx_draw_color, 0, y1, vrx_images[n].width - 1, y1);
    } else {
        if (wait_column(n, &x1, &y1) != 0 || !still_current(n, w)) return false;
        draw_line(vrx_draw_color, x1, 0, x1, vrx_images[n].height - 1);
    }
    return true;
}

// Draw Box... Normal, Fill or Fill XOR (by id)
bool box_command(int n, HWND w, int id) {
    int xmin, ymin, xmax, ymax;
    if (wait_rectangle(n, &xmin, &ymin, &xmax, &ymax) != 0 || !still_current(n, w)) return false;
    if (id == IDM_BOX_NORMAL) draw_box_outline(xmin, ymin, xmax, ymax);
    else if (id == IDM_BOX_FILL) fill_box(xmin, ymin, xmax, ymax);
    else xor_box_fill(xmin, ymin, xmax, ymax);
    return true;
}

// Draw Circle... Normal, Fill or Fill XOR (by id)
bool circle_command(int n, HWND w, int id) {
    int cx, cy, r;
    if (wait_circle(n, &cx, &cy, &r) != 0 || !still_current(n, w)) return false;
    if (id == IDM_CIRCLE_NORMAL) draw_circle(cx, cy, r, vrx_draw_color);
    else if (id == IDM_CIRCLE_FILL) draw_disc(cx, cy, r);
    else xor_disc(cx, cy, r);
    return true;
}

// Paint: the flood fill from a clicked point
bool paint_command(int n, HWND w, int) {
    int x, y;
    if (wait_point(n, &x, &y) != 0 || !still_current(n, w)) return false;
    flood_fill(x, y);
    return true;
}

// Draw Text: bitmap-font text typed at the prompt, with its baseline at a clicked point
bool text_command(int n, HWND w, int) {
    int x, y;
    if (wait_point(n, &x, &y) != 0 || !still_current(n, w)) return false;
    char line[256];
    if (!read_text_line(line) || !still_current(n, w)) return false;
    vrx_text_cursor = TextCursor{x, y, x};
    vrx_tc = vrx_draw_color;
    draw_textf("%s", line);
    return true;
}

// TrueType Draw: text typed at the prompt into a dragged box, the font sized to the box
bool truetype_command(int n, HWND w, int) {
    int xmin, ymin, xmax, ymax;
    if (wait_rectangle(n, &xmin, &ymin, &xmax, &ymax) != 0 || !still_current(n, w)) return false;
    char line[256];
    if (!read_text_line(line) || !still_current(n, w)) return false;
    TrueTypeBox box = truetype_box(xmin, ymin, xmax, ymax);
    vrx_text_cursor = TextCursor{box.x, box.baseline, box.margin};
    tt_set_font_size(box.size_width, box.size_height);   // a failure keeps the font it had
    tt_draw_string(line);
    return true;
}

// Pick: the drawing colour and the TrueType colour from a clicked pixel; the current image is kept
bool color_pick_command(int n, HWND w, int) {
    int x, y;
    if (wait_point(n, &x, &y) != 0) return false;
    if (!image_shown_in(n, w) || VRX_SelectImage(n) != 0) return false;
    uint32_t value = get_pixel(x, y);
    unsigned char palette[256 * 4];
    bool eight = vrx_images[n].depth == 8;
    if (eight && VRX_GetColorTable(palette) != 0) eight = false;
    PickedColours picked = pick_colours(value, vrx_images[n].depth, eight ? palette : nullptr);
    vrx_draw_color = picked.draw;
    vrx_tttc = picked.tttc;
    VRX_PopImage();
    return true;
}

// Color... Change: the colour dialog for the drawing colour and both text colours
bool color_change_command(int, HWND w, int) {
    choose_drawing_color(w);
    return true;
}

// TrueType... Font Change: the font dialog
bool font_change_command(int, HWND w, int) {
    change_tt_font(w);
    return true;
}
