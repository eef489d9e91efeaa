// image/commands/draw_commands.cpp - the interactive drawing commands of an image window: Color Change and
// Pick, lines, boxes, circles, bitmap-font and TrueType text, Paint and Font Change.
//
// NOTE: compiled once per program, because the Fill box command calls VRX_DrawBox in the form of the
//       program: quarvex-swap passes the drawing colour as both border and fill colour.
// NOTE: a point tool and the "Text>" prompt pump messages, so the image can be closed while they wait;
//       after each of them a command goes on only while its window still holds the current image. A
//       tool that was cancelled, stopped (Stop, Exit) or lost its window ends the command at once.

#include "image/commands/draw_commands.h"

#include "image/click_wait.h"
#include "image/image_table.h"
#include "image/commands/bitmap_text.h"
#include "image/commands/color_dialog.h"
#include "imaging/draw_command_core.h"
#include "image/commands/drawing.h"
#include "image/commands/tt_text.h"
#include "host/host.h"
#include "vrxlib.h"

//----------------------------------------------------------------------------------
// Command identifiers
//----------------------------------------------------------------------------------
#define IDM_COLOR_CHANGE     1031
#define IDM_LINE_NORMAL      1032
#define IDM_LINE_HORZ        1034
#define IDM_LINE_VERT        1035
#define IDM_BOX_NORMAL       1036
#define IDM_BOX_FILL         1037
#define IDM_BOX_FILL_XOR     1038
#define IDM_CIRCLE_NORMAL    1039
#define IDM_CIRCLE_FILL      1040
#define IDM_CIRCLE_FILL_XOR  1041
#define IDM_DRAW_TEXT        1042
#define IDM_PAINT            1043
#define IDM_TT_DRAW          1048
#define IDM_TT_FONT_CHANGE   1049
#define IDM_COLOR_PICK       1052

//----------------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------------

// True while window w still shows image n and n is the current image
static bool still_current(int n, HWND w) {
    return image_exists(n) && vrx_images[n].window == w && vrx_current_image == n;
}

// Shows the console, prompts "Text>" and reads the answer into line (256 bytes); false when the
// program is ending meanwhile
static bool read_text_line(char line[256]) {
    VRX_ShowConsole();
    VRX_Printf("Text>");
    line[0] = 0;
    VRX_InputText(line);
    return vrx_quit.load(std::memory_order_acquire) == 0;
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

// A line command; true when it drew
static bool line_command(int n, HWND w, int id) {
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

// A box command; true when it drew
static bool box_command(int n, HWND w, int id) {
    int xmin, ymin, xmax, ymax;
    if (wait_rectangle(n, &xmin, &ymin, &xmax, &ymax) != 0 || !still_current(n, w)) return false;
    if (id == IDM_BOX_NORMAL) draw_box_outline(xmin, ymin, xmax, ymax);
    else if (id == IDM_BOX_FILL) fill_box(xmin, ymin, xmax, ymax);
    else xor_box_fill(xmin, ymin, xmax, ymax);
    return true;
}

// A circle command; true when it drew
static bool circle_command(int n, HWND w, int id) {
    int cx, cy, r;
    if (wait_circle(n, &cx, &cy, &r) != 0 || !still_current(n, w)) return false;
    if (id == IDM_CIRCLE_NORMAL) draw_circle(cx, cy, r, vrx_draw_color);
    else if (id == IDM_CIRCLE_FILL) draw_disc(cx, cy, r);
    else xor_disc(cx, cy, r);
    return true;
}

// Paint: the flood fill from a clicked point; true when it ran
static bool paint_command(int n, HWND w) {
    int x, y;
    if (wait_point(n, &x, &y) != 0 || !still_current(n, w)) return false;
    flood_fill(x, y);
    return true;
}

// Draw Text: bitmap-font text typed at the prompt, with its baseline at a clicked point
static bool text_command(int n, HWND w) {
    int x, y;
    if (wait_point(n, &x, &y) != 0 || !still_current(n, w)) return false;
    char line[256];
    if (!read_text_line(line) || !still_current(n, w)) return false;
    vrx_text_x = x;
    vrx_text_margin = x;
    vrx_text_y = y;
    vrx_tc = vrx_draw_color;
    draw_textf("%s", line);
    return true;
}

// TrueType Draw: text typed at the prompt into a dragged box, the font sized to the box
static bool truetype_command(int n, HWND w) {
    int xmin, ymin, xmax, ymax;
    if (wait_rectangle(n, &xmin, &ymin, &xmax, &ymax) != 0 || !still_current(n, w)) return false;
    char line[256];
    if (!read_text_line(line) || !still_current(n, w)) return false;
    TrueTypeBox box = truetype_box(xmin, ymin, xmax, ymax);
    vrx_text_y = box.baseline;
    vrx_text_x = box.x;
    vrx_text_margin = box.margin;
    tt_set_font_size(box.size_width, box.size_height);   // a failure keeps the font it had
    tt_draw_string(line);
    return true;
}

// Pick: the drawing colour and the TrueType colour from a clicked pixel; the current image is kept
static void pick_command(HWND w) {
    int n = find_image_by_window(w);
    int x, y;
    if (n < 0 || wait_point(n, &x, &y) != 0) return;
    if (!image_exists(n) || vrx_images[n].window != w || VRX_SelectImage(n) != 0) return;
    uint32_t value = get_pixel(x, y);
    unsigned char palette[256 * 4];
    bool eight = vrx_images[n].depth == 8;
    if (eight && VRX_GetColorTable(palette) != 0) eight = false;
    PickedColours picked = pick_colours(value, vrx_images[n].depth, eight ? palette : nullptr);
    vrx_draw_color = picked.draw;
    vrx_tttc = picked.tttc;
    VRX_PopImage();
}

//----------------------------------------------------------------------------------
// Dispatch
//----------------------------------------------------------------------------------

// Runs a command that selects image n and draws into it; true when something was drawn
static bool run_drawing(int n, HWND w, int id) {
    switch (id) {
    case IDM_LINE_NORMAL:
    case IDM_LINE_HORZ:
    case IDM_LINE_VERT: return line_command(n, w, id);
    case IDM_BOX_NORMAL:
    case IDM_BOX_FILL:
    case IDM_BOX_FILL_XOR: return box_command(n, w, id);
    case IDM_CIRCLE_NORMAL:
    case IDM_CIRCLE_FILL:
    case IDM_CIRCLE_FILL_XOR: return circle_command(n, w, id);
    case IDM_DRAW_TEXT: return text_command(n, w);
    case IDM_PAINT: return paint_command(n, w);
    case IDM_TT_DRAW: return truetype_command(n, w);
    }
    return false;
}

// Carries out drawing command id on image window w; false when id is not one of these commands
bool draw_command(HWND w, int id) {
    switch (id) {
    case IDM_COLOR_CHANGE: choose_drawing_color(w); return true;
    case IDM_TT_FONT_CHANGE: change_tt_font(w); return true;
    case IDM_COLOR_PICK: pick_command(w); return true;
    case IDM_LINE_NORMAL: case IDM_LINE_HORZ: case IDM_LINE_VERT:
    case IDM_BOX_NORMAL: case IDM_BOX_FILL: case IDM_BOX_FILL_XOR:
    case IDM_CIRCLE_NORMAL: case IDM_CIRCLE_FILL: case IDM_CIRCLE_FILL_XOR:
    case IDM_DRAW_TEXT: case IDM_PAINT: case IDM_TT_DRAW: break;
    default: return false;
    }
    int n = select_image_by_window(w);
    if (n < 0) return true;
    if (run_drawing(n, w, id) && image_exists(vrx_current_image))
        InvalidateRect(vrx_images[vrx_current_image].window, nullptr, FALSE);
    return true;
}
