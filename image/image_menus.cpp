// image/image_menus.cpp - the image window's commands: one table builds the context menu, the Process
// menu and the dispatch, so a menu text and its handler cannot drift apart.
//
// Thread: the worker thread.

#include "image/image_menus.h"

#include "base/command_ids.h"
#include "base/menus.h"
#include "image/commands/draw_commands.h"
#include "image/commands/process_commands.h"
#include "image/image_table.h"
#include "image/window_commands.h"
#include "imaging/analysis_core.h"
#include "imaging/color_core.h"
#include "vrxlib.h"

#include <string.h>

//----------------------------------------------------------------------------------
// The command table
//----------------------------------------------------------------------------------

// Where a command's item is
enum CommandMenu { IN_NO_MENU, IN_CONTEXT, IN_PROCESS };
// How a command picks its image before its handler runs
enum CommandPick {
    PICK_FIND,     // the window's image; the current image stays
    PICK_SELECT,   // the window's image becomes current, the previous one pushed on the image stack
    PICK_NONE,     // no image (the handler gets -1)
};
// What the table repaints once a handler reports that it acted
enum CommandRepaint {
    REPAINT_NONE,
    REPAINT_CURRENT,   // the window of the current image (a new result window, when one was made)
    REPAINT_N,         // the window of the picked image
    REPAINT_DRAWN,     // the current image copied to its window at once
};
// The depths a command works on; also which of them the Information... submenu offers it for
#define DEPTH_8   1
#define DEPTH_32  2
#define DEPTH_ANY 3

// One command, or a separator (id 0) of its menu
struct ImageCommand {
    int id;
    CommandMenu menu;
    const char *submenu;      // the Process menu's submenu holding the item; null at the menu's top
    const char *text;
    CommandPick pick;
    int depths;
    bool (*run)(int n, HWND w, int arg);
    int arg;                  // handed to the handler: a zoom, a plot kind, a pattern, a factor, or the id
    CommandRepaint repaint;
    int checked_at_zoom;      // context menu: the item is checked while the image shows this zoom
};

#define SEPARATOR(menu, submenu) {0, menu, submenu, nullptr, PICK_NONE, DEPTH_ANY, nullptr, 0, REPAINT_NONE, 0}

// Every command of an image window, in menu order
static const ImageCommand image_commands[] = {
    // The context menu
    {IDM_CUT, IN_CONTEXT, nullptr, "Cut\tCtrl+X", PICK_FIND, DEPTH_ANY, cut_command, 0, REPAINT_N, 0},
    {IDM_COPY, IN_CONTEXT, nullptr, "Copy\tCtrl+C", PICK_FIND, DEPTH_ANY, copy_command, 0, REPAINT_NONE, 0},
    {IDM_PASTE_AT_CLICK, IN_CONTEXT, nullptr, "Paste\tCtrl+V", PICK_FIND, DEPTH_ANY, paste_command, 1, REPAINT_NONE, 0},
    SEPARATOR(IN_CONTEXT, nullptr),
    {IDM_LOAD, IN_CONTEXT, nullptr, "&Load image file", PICK_SELECT, DEPTH_ANY, load_command, 0, REPAINT_CURRENT, 0},
    {IDM_SAVE_AS, IN_CONTEXT, nullptr, "&Save as", PICK_SELECT, DEPTH_ANY, save_command, 0, REPAINT_NONE, 0},
    SEPARATOR(IN_CONTEXT, nullptr),
    {IDM_ZOOM_50, IN_CONTEXT, nullptr, "Zoom: 50%", PICK_FIND, DEPTH_ANY, zoom_command, 50, REPAINT_NONE, 50},
    {IDM_ZOOM_100, IN_CONTEXT, nullptr, "Zoom:100%\tCtrl+0", PICK_FIND, DEPTH_ANY, zoom_command, 100, REPAINT_NONE, 100},
    {IDM_ZOOM_200, IN_CONTEXT, nullptr, "Zoom:200%", PICK_FIND, DEPTH_ANY, zoom_command, 200, REPAINT_NONE, 200},
    {IDM_ZOOM_PROMPT, IN_CONTEXT, nullptr, "&Zoom...", PICK_FIND, DEPTH_ANY, zoom_prompt_command, 0, REPAINT_NONE, 0},
    SEPARATOR(IN_CONTEXT, nullptr),
    {IDM_RESIZE_PROMPT, IN_CONTEXT, nullptr, "&Resize...", PICK_FIND, DEPTH_ANY, resize_prompt_command, 0, REPAINT_NONE, 0},
    {IDM_DESTROY, IN_CONTEXT, nullptr, "&Destroy\tCtrl+Q", PICK_FIND, DEPTH_ANY, destroy_command, 0, REPAINT_NONE, 0},
    // Ctrl+V pastes at the top-left corner; it has no menu item
    {IDM_PASTE_TOP_LEFT, IN_NO_MENU, nullptr, nullptr, PICK_FIND, DEPTH_ANY, paste_command, 0, REPAINT_NONE, 0},

    // The Process menu
    {IDM_INVERT, IN_PROCESS, "Process...", "Invert", PICK_FIND, DEPTH_ANY, raster_command, IDM_INVERT, REPAINT_N, 0},
    SEPARATOR(IN_PROCESS, "Process..."),
    {IDM_ROTATE_RIGHT, IN_PROCESS, "Process...", "R. Rotate", PICK_SELECT, DEPTH_ANY, rotate_command, 1, REPAINT_CURRENT, 0},
    {IDM_ROTATE_LEFT, IN_PROCESS, "Process...", "L. Rotate", PICK_SELECT, DEPTH_ANY, rotate_command, 0, REPAINT_CURRENT, 0},
    SEPARATOR(IN_PROCESS, "Process..."),
    {IDM_FLIP_HORZ, IN_PROCESS, "Process...", "Horz. Flip", PICK_FIND, DEPTH_ANY, raster_command, IDM_FLIP_HORZ, REPAINT_N, 0},
    {IDM_FLIP_VERT, IN_PROCESS, "Process...", "Vert. Flip", PICK_FIND, DEPTH_ANY, raster_command, IDM_FLIP_VERT, REPAINT_N, 0},
    SEPARATOR(IN_PROCESS, "Process..."),
    {IDM_SIZE_50, IN_PROCESS, "Process...", "Size 50.0%", PICK_SELECT, DEPTH_ANY, rescale_command, 500, REPAINT_N, 0},
    {IDM_SIZE_70, IN_PROCESS, "Process...", "Size 70.7%", PICK_SELECT, DEPTH_ANY, rescale_command, 707, REPAINT_N, 0},
    {IDM_SIZE_141, IN_PROCESS, "Process...", "Size 141.4%", PICK_SELECT, DEPTH_ANY, rescale_command, 1414, REPAINT_N, 0},
    {IDM_SIZE_200, IN_PROCESS, "Process...", "Size 200.0%", PICK_SELECT, DEPTH_ANY, rescale_command, 2000, REPAINT_N, 0},
    SEPARATOR(IN_PROCESS, nullptr),
    {IDM_PIXEL, IN_PROCESS, "Information...", "Pixel", PICK_FIND, DEPTH_ANY, probe_command, 0, REPAINT_NONE, 0},
    {IDM_LINE_RGB, IN_PROCESS, "Information...", "Line(RGB)", PICK_FIND, DEPTH_32, profile_command, PLOT_RGB, REPAINT_CURRENT, 0},
    {IDM_LINE_HSV, IN_PROCESS, "Information...", "Line(HSV)", PICK_FIND, DEPTH_32, profile_command, PLOT_HSV, REPAINT_CURRENT, 0},
    {IDM_LINE_YCRCB, IN_PROCESS, "Information...", "Line(YCrCb)", PICK_FIND, DEPTH_32, profile_command, PLOT_YCRCB, REPAINT_CURRENT, 0},
    {IDM_LINE_CRCB, IN_PROCESS, "Information...", "Line(CrCb)", PICK_FIND, DEPTH_32, profile_command, PLOT_CRCB, REPAINT_CURRENT, 0},
    {0, IN_PROCESS, "Information...", nullptr, PICK_NONE, DEPTH_32, nullptr, 0, REPAINT_NONE, 0},
    {IDM_AREA_CRCB, IN_PROCESS, "Information...", "Area(CrCb)", PICK_FIND, DEPTH_32, area_command, 0, REPAINT_DRAWN, 0},
    {IDM_LINE_LUMI, IN_PROCESS, "Information...", "Line(Lumi)", PICK_FIND, DEPTH_8, profile_command, PLOT_LUMI, REPAINT_CURRENT, 0},
    SEPARATOR(IN_PROCESS, nullptr),
    {IDM_PATTERN_RGB, IN_PROCESS, "Test Pattern...", "RGB", PICK_SELECT, DEPTH_ANY, pattern_command, PATTERN_RGB, REPAINT_CURRENT, 0},
    {IDM_PATTERN_HSV, IN_PROCESS, "Test Pattern...", "HSV", PICK_SELECT, DEPTH_ANY, pattern_command, PATTERN_HSV, REPAINT_CURRENT, 0},
    {IDM_PATTERN_YCRCB, IN_PROCESS, "Test Pattern...", "YCrCb", PICK_SELECT, DEPTH_ANY, pattern_command, PATTERN_YCRCB, REPAINT_CURRENT, 0},
    {IDM_PATTERN_YUV, IN_PROCESS, "Test Pattern...", "Yuv", PICK_SELECT, DEPTH_ANY, pattern_command, PATTERN_YUV, REPAINT_CURRENT, 0},
    {IDM_PATTERN_YIQ, IN_PROCESS, "Test Pattern...", "YIQ", PICK_SELECT, DEPTH_ANY, pattern_command, PATTERN_YIQ, REPAINT_CURRENT, 0},
    {IDM_PATTERN_GREY, IN_PROCESS, "Test Pattern...", "Grey", PICK_SELECT, DEPTH_ANY, pattern_command, PATTERN_GREY, REPAINT_CURRENT, 0},
    SEPARATOR(IN_PROCESS, nullptr),
    {IDM_CLIPPING, IN_PROCESS, nullptr, "Clipping\tCtrl+R", PICK_FIND, DEPTH_ANY, clipping_command, 0, REPAINT_DRAWN, 0},
    SEPARATOR(IN_PROCESS, nullptr),
    {IDM_COLOR_CHANGE, IN_PROCESS, "Color...", "Change", PICK_NONE, DEPTH_ANY, color_change_command, 0, REPAINT_NONE, 0},
    {IDM_COLOR_PICK, IN_PROCESS, "Color...", "Pick", PICK_FIND, DEPTH_ANY, color_pick_command, 0, REPAINT_NONE, 0},
    {IDM_LINE_NORMAL, IN_PROCESS, "Draw Line...", "Normal", PICK_SELECT, DEPTH_ANY, line_command, IDM_LINE_NORMAL, REPAINT_CURRENT, 0},
    {IDM_LINE_HORZ, IN_PROCESS, "Draw Line...", "Horz.", PICK_SELECT, DEPTH_ANY, line_command, IDM_LINE_HORZ, REPAINT_CURRENT, 0},
    {IDM_LINE_VERT, IN_PROCESS, "Draw Line...", "Vert.", PICK_SELECT, DEPTH_ANY, line_command, IDM_LINE_VERT, REPAINT_CURRENT, 0},
    {IDM_BOX_NORMAL, IN_PROCESS, "Draw Box...", "Normal", PICK_SELECT, DEPTH_ANY, box_command, IDM_BOX_NORMAL, REPAINT_CURRENT, 0},
    {IDM_BOX_FILL, IN_PROCESS, "Draw Box...", "Fill", PICK_SELECT, DEPTH_ANY, box_command, IDM_BOX_FILL, REPAINT_CURRENT, 0},
    {IDM_BOX_FILL_XOR, IN_PROCESS, "Draw Box...", "Fill XOR", PICK_SELECT, DEPTH_ANY, box_command, IDM_BOX_FILL_XOR, REPAINT_CURRENT, 0},
    {IDM_CIRCLE_NORMAL, IN_PROCESS, "Draw Circle...", "Normal", PICK_SELECT, DEPTH_ANY, circle_command, IDM_CIRCLE_NORMAL, REPAINT_CURRENT, 0},
    {IDM_CIRCLE_FILL, IN_PROCESS, "Draw Circle...", "Fill", PICK_SELECT, DEPTH_ANY, circle_command, IDM_CIRCLE_FILL, REPAINT_CURRENT, 0},
    {IDM_CIRCLE_FILL_XOR, IN_PROCESS, "Draw Circle...", "Fill XOR", PICK_SELECT, DEPTH_ANY, circle_command, IDM_CIRCLE_FILL_XOR, REPAINT_CURRENT, 0},
    {IDM_TT_DRAW, IN_PROCESS, "TrueType...", "Draw", PICK_SELECT, DEPTH_ANY, truetype_command, 0, REPAINT_CURRENT, 0},
    {IDM_TT_FONT_CHANGE, IN_PROCESS, "TrueType...", "Font Change", PICK_NONE, DEPTH_ANY, font_change_command, 0, REPAINT_NONE, 0},
    {IDM_DRAW_TEXT, IN_PROCESS, nullptr, "Draw Text", PICK_SELECT, DEPTH_ANY, text_command, 0, REPAINT_CURRENT, 0},
    {IDM_PAINT, IN_PROCESS, nullptr, "Paint", PICK_SELECT, DEPTH_ANY, paint_command, 0, REPAINT_CURRENT, 0},
};
static const int command_count = (int)(sizeof image_commands / sizeof image_commands[0]);

// The depth flag of an image of depth bits
static int depth_flag(int depth) { return depth == 8 ? DEPTH_8 : DEPTH_32; }

//----------------------------------------------------------------------------------
// Menus
//----------------------------------------------------------------------------------

// True when two submenu names (either may be null) are the same
static bool same_submenu(const char *a, const char *b) { return a == b || (a && b && strcmp(a, b) == 0); }

// Adds the item or separator of c at the end of menu; the zoom shown checks a zoom item
static void add_command_item(HMENU menu, int position, const ImageCommand &c, int zoom) {
    if (!c.id) add_menu_separator(menu, position);
    else add_menu_item(menu, position, c.checked_at_zoom && c.checked_at_zoom == zoom ? MFS_CHECKED : MENU_ENABLED,
                       c.id, c.text);
}

// Builds one menu of the table for an image of depth flag depths and zoom; consecutive items of one
// submenu name go into one submenu
static HMENU build_menu(CommandMenu which, int depths, int zoom) {
    HMENU menu = CreatePopupMenu();
    int position = 0;
    for (int i = 0; i < command_count;) {
        const ImageCommand &c = image_commands[i];
        if (c.menu != which || !(c.depths & depths)) {
            i++;
            continue;
        }
        if (!c.submenu) {
            add_command_item(menu, position++, c, zoom);
            i++;
            continue;
        }
        HMENU sub = CreatePopupMenu();
        int sub_position = 0;
        for (; i < command_count && image_commands[i].menu == which && same_submenu(image_commands[i].submenu, c.submenu); i++)
            if (image_commands[i].depths & depths) add_command_item(sub, sub_position++, image_commands[i], zoom);
        add_submenu(menu, sub, position++, c.submenu);
    }
    return menu;
}

// Builds the context menu of image window w, with a check mark at the zoom it shows
HMENU build_context_menu(HWND w) {
    int n = find_image_by_window(w);
    return build_menu(IN_CONTEXT, DEPTH_ANY, n >= 0 ? vrx_images[n].zoom : 0);
}

// Builds the Process menu of image n; "Information..." depends on its depth
HMENU build_process_menu(int n) {
    return build_menu(IN_PROCESS, depth_flag(image_exists(n) ? vrx_images[n].depth : 32), 0);
}

//----------------------------------------------------------------------------------
// Dispatch
//----------------------------------------------------------------------------------

// Carries out a menu command or posted shortcut on image window w; ids without a command are ignored
// NOTE: the depth is checked here too, because a posted command id can reach an image whose menu never
//       offered it (Line(Lumi) on a 32-bit image, Line(RGB) on an 8-bit one).
void image_command(HWND w, int id) {
    const ImageCommand *c = nullptr;
    for (int i = 0; i < command_count && !c; i++)
        if (image_commands[i].id == id && image_commands[i].run) c = &image_commands[i];
    if (!c) return;
    int n = -1;
    if (c->pick == PICK_FIND) n = find_image_by_window(w);
    else if (c->pick == PICK_SELECT) n = select_image_by_window(w);
    if (c->pick != PICK_NONE && (n < 0 || !(c->depths & depth_flag(vrx_images[n].depth)))) return;
    if (!c->run(n, w, c->arg)) return;
    switch (c->repaint) {
    case REPAINT_CURRENT:
        if (image_exists(vrx_current_image)) InvalidateRect(vrx_images[vrx_current_image].window, nullptr, FALSE);
        break;
    case REPAINT_N:
        if (image_exists(n)) InvalidateRect(vrx_images[n].window, nullptr, FALSE);
        break;
    case REPAINT_DRAWN: VRX_UpdateImage(vrx_current_image); break;
    case REPAINT_NONE: break;
    }
}
