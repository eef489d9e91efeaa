// image/image_menus.cpp - the context menu and the Process menu of image windows, built afresh each
// time they are shown, and the window's own commands: Load, Save as, Cut, Copy, Paste, zoom, Resize,
// Destroy and Clipping.

#include "image/image_menus.h"

#include "image/click_wait.h"
#include "image/image_files.h"
#include "image/image_table.h"
#include "image/image_transfer.h"
#include "image/commands/draw_commands.h"
#include "image/commands/drawing.h"
#include "image/commands/process_commands.h"
#include "host/host.h"
#include "base/status_field.h"
#include "text/text_window.h"
#include "vrxlib.h"

#include <cstdio>

//----------------------------------------------------------------------------------
// Menus
//----------------------------------------------------------------------------------

// One item of a menu table: text and id; id 0 is a separator
struct MenuEntry {
    const char *text;
    int id;
};

// Appends the entries of a table to a menu
static void add_entries(HMENU menu, const MenuEntry *entries, int count) {
    for (int i = 0; i < count; i++) {
        if (entries[i].id == 0) add_menu_separator(menu, i);
        else add_menu_item(menu, i, MENU_ENABLED, entries[i].id, entries[i].text);
    }
}

// A sub-menu of a table
static HMENU submenu_of(const MenuEntry *entries, int count) {
    HMENU menu = CreatePopupMenu();
    add_entries(menu, entries, count);
    return menu;
}

// Builds the context menu of image window w, with a check mark at the zoom it shows
HMENU build_context_menu(HWND w) {
    int n = find_image_by_window(w);
    int zoom = n >= 0 ? vrx_images[n].zoom : 0;
    HMENU menu = CreatePopupMenu();
    add_menu_item(menu, 0, MENU_ENABLED, 1011, "Cut\tCtrl+X");
    add_menu_item(menu, 1, MENU_ENABLED, 1012, "Copy\tCtrl+C");
    add_menu_item(menu, 2, MENU_ENABLED, 1013, "Paste\tCtrl+V");
    add_menu_separator(menu, 3);
    add_menu_item(menu, 4, MENU_ENABLED, 1004, "&Load image file");
    add_menu_item(menu, 5, MENU_ENABLED, 1010, "&Save as");
    add_menu_separator(menu, 6);
    add_menu_item(menu, 7, zoom == 50 ? MFS_CHECKED : MENU_ENABLED, 1007, "Zoom: 50%");
    add_menu_item(menu, 8, zoom == 100 ? MFS_CHECKED : MENU_ENABLED, 1008, "Zoom:100%\tCtrl+0");
    add_menu_item(menu, 9, zoom == 200 ? MFS_CHECKED : MENU_ENABLED, 1009, "Zoom:200%");
    add_menu_item(menu, 10, MENU_ENABLED, 1046, "&Zoom...");
    add_menu_separator(menu, 11);
    add_menu_item(menu, 12, MENU_ENABLED, 1047, "&Resize...");
    add_menu_item(menu, 13, MENU_ENABLED, 1005, "&Destroy\tCtrl+Q");
    return menu;
}

// Builds the Process menu of image n; "Information..." depends on its depth
HMENU build_process_menu(int n) {
    static const MenuEntry process[] = {
        {"Invert", 1058}, {"", 0}, {"R. Rotate", 1061}, {"L. Rotate", 1062}, {"", 0},
        {"Horz. Flip", 1059}, {"Vert. Flip", 1060}, {"", 0}, {"Size 50.0%", 1063},
        {"Size 70.7%", 1064}, {"Size 141.4%", 1065}, {"Size 200.0%", 1066}};
    static const MenuEntry info32[] = {{"Pixel", 1015}, {"Line(RGB)", 1016}, {"Line(HSV)", 1017},
                                       {"Line(YCrCb)", 1018}, {"Line(CrCb)", 1021}, {"", 0},
                                       {"Area(CrCb)", 1022}};
    static const MenuEntry info8[] = {{"Pixel", 1015}, {"Line(Lumi)", 1070}};
    static const MenuEntry patterns[] = {{"RGB", 1053}, {"HSV", 1054}, {"YCrCb", 1055},
                                         {"Yuv", 1067}, {"YIQ", 1068}, {"Grey", 1071}};
    static const MenuEntry colour[] = {{"Change", 1031}, {"Pick", 1052}};
    static const MenuEntry line[] = {{"Normal", 1032}, {"Horz.", 1034}, {"Vert.", 1035}};
    static const MenuEntry box[] = {{"Normal", 1036}, {"Fill", 1037}, {"Fill XOR", 1038}};
    static const MenuEntry circle[] = {{"Normal", 1039}, {"Fill", 1040}, {"Fill XOR", 1041}};
    static const MenuEntry truetype[] = {{"Draw", 1048}, {"Font Change", 1049}};
    bool eight = image_exists(n) && vrx_images[n].depth == 8;

    HMENU menu = CreatePopupMenu();
    add_submenu(menu, submenu_of(process, 12), 0, "Process...");
    add_menu_separator(menu, 1);
    add_submenu(menu, eight ? submenu_of(info8, 2) : submenu_of(info32, 7), 2, "Information...");
    add_menu_separator(menu, 3);
    add_submenu(menu, submenu_of(patterns, 6), 4, "Test Pattern...");
    add_menu_separator(menu, 5);
    add_menu_item(menu, 6, MENU_ENABLED, 1019, "Clipping\tCtrl+R");
    add_menu_separator(menu, 7);
    add_submenu(menu, submenu_of(colour, 2), 8, "Color...");
    add_submenu(menu, submenu_of(line, 3), 9, "Draw Line...");
    add_submenu(menu, submenu_of(box, 3), 10, "Draw Box...");
    add_submenu(menu, submenu_of(circle, 3), 11, "Draw Circle...");
    add_submenu(menu, submenu_of(truetype, 2), 12, "TrueType...");
    add_menu_item(menu, 13, MENU_ENABLED, 1042, "Draw Text");
    add_menu_item(menu, 14, MENU_ENABLED, 1043, "Paint");
    return menu;
}

//----------------------------------------------------------------------------------
// Commands of the window itself
//----------------------------------------------------------------------------------

// Load image file: the dialog, then the file into this image, which stays current
static void load_command(HWND w) {
    if (select_image_by_window(w) < 0) return;
    wchar_t name[MAX_PATH];
    if (load_file_dialog(name) != 0) return;
    load_image_file_wide(name, 0, 0);
    InvalidateRect(vrx_images[vrx_current_image].window, nullptr, FALSE);
}

// Save as: the dialog; its filter chooses the format (JPEG at quality 100)
static void save_command(HWND w) {
    int n = select_image_by_window(w);
    if (n < 0) return;
    char name[MAX_PATH];
    if (save_file_dialog(name) != 0) return;
    static const int format_of_filter[] = {-1, 0, 0, 1, 2, 3, 4};
    int filter = save_dialog_filter();
    if (filter < 1 || filter > 6 || !image_exists(n)) return;
    int saved_quality = vrx_jpeg_quality;
    vrx_jpeg_quality = 100;
    VRX_SaveImage(vrx_images[n].width, vrx_images[n].height, format_of_filter[filter], name);
    vrx_jpeg_quality = saved_quality;
}

// Prints a prompt into text window 0 and reads a number; false when the line input ended from outside
static bool prompt_number(const char *prompt, int n, int *value) {
    VRX_OpenTextWindow(0, -1, -1, -1, -1);
    VRX_Printf(prompt, n);
    char answer[256] = "";
    VRX_InputText(answer);
    if (vrx_quit.load(std::memory_order_acquire) || !console_input_completed()) return false;
    *value = parse_number(answer);
    return true;
}

// Zoom...: the zoom typed in the console
static void zoom_prompt(int n) {
    int zoom;
    if (prompt_number("[%d] Zoom(%%)=", n, &zoom) && image_exists(n)) VRX_SetZoom(n, zoom);
}

// Resize...: the new raster size typed in the console
static void resize_prompt(int n) {
    int width, height;
    if (!prompt_number("[%d] New x-size(pixel)=", n, &width)) return;
    if (!prompt_number("[%d] New y-size(pixel)=", n, &height)) return;
    if (image_exists(n)) VRX_ResizeImage(n, width, height);
}

// Clipping: a dragged rectangle of image n copied into the lowest free slot
static void clipping_command(int n) {
    int x1, y1, x2, y2;
    if (wait_rectangle(n, &x1, &y1, &x2, &y2) != 0 || !image_exists(n)) return;
    char title[64];
    snprintf(title, sizeof title, "(%d,%d)-(%d,%d)", x1, y1, x2, y2);
    int w = x2 - x1 + 1, h = y2 - y1 + 1, depth = vrx_images[n].depth;
    int u = 0;
    while (u < VRX_MAX_IMAGES && create_image_window(u, title, 0, 0, w, h, 100, depth) != 0) u++;
    if (u == VRX_MAX_IMAGES) return;
    if (depth == 8) {
        RGBQUAD colours[256];
        GetDIBColorTable(vrx_images[n].memory_dc, 0, 256, colours);
        SetDIBColorTable(vrx_images[u].memory_dc, 0, 256, colours);
    }
    BitBlt(vrx_images[u].memory_dc, 0, 0, w, h, vrx_images[n].memory_dc, x1, y1, SRCCOPY);
    VRX_UpdateImage(vrx_current_image);
}

// Carries out a menu command or posted shortcut on image window w; unknown ids are ignored
void image_command(HWND w, int id) {
    int n = find_image_by_window(w);
    switch (id) {
    case 1004: load_command(w); break;
    case 1005: VRX_DestroyImage(n); break;
    case 1007: VRX_SetZoom(n, 50); break;
    case 1008: VRX_SetZoom(n, 100); break;
    case 1009: VRX_SetZoom(n, 200); break;
    case 1010: save_command(w); break;
    case 1011:   // Cut: the raster is cleared only once its copy is on the clipboard
        if (n < 0 || copy_image_to_clipboard(n) != 0) break;
        clear_image(n);
        InvalidateRect(w, nullptr, FALSE);
        break;
    case 1012: copy_image_to_clipboard(n); break;
    case 1013: paste_clipboard_image(n, -1, -1); break;
    case 1014: paste_clipboard_image(n, 0, 0); break;
    case 1019: if (n >= 0) clipping_command(n); break;
    case 1046: if (n >= 0) zoom_prompt(n); break;
    case 1047: if (n >= 0) resize_prompt(n); break;
    default:
        if (!process_command(w, id)) draw_command(w, id);
        break;
    }
}
