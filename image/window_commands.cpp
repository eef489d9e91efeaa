// image/window_commands.cpp - the image window's own commands: Load, Save as, Cut, Copy, Paste, the zoom
// items, Zoom..., Resize..., Destroy and Clipping.
//
// Thread: the worker thread.
// NOTE: a dialog, a prompt or a point tool pumps messages, so other commands run while it waits: the
//       image can be closed, its slot given to another window, or another image made current.
//       Afterwards a command goes on only while its window still shows image n, and acts on n by
//       number, not on whatever image is current then.

#include "image/window_commands.h"

#include "base/number_text.h"
#include "base/process.h"
#include "image/click_wait.h"
#include "image/clipboard.h"
#include "image/file_dialogs.h"
#include "image/image_files.h"
#include "image/image_table.h"
#include "text/console.h"
#include "vrxlib.h"

#include <cstdio>

// Load image file: the dialog, then the file into image n, which stays current
bool load_command(int n, HWND w, int) {
    wchar_t name[MAX_PATH];
    if (load_file_dialog(name) != 0 || !image_shown_in(n, w)) return false;
    if (vrx_current_image != n) VRX_SelectImage(n);   // a command run during the dialog selected another
    load_image_file_wide(name, 0, 0);
    return true;
}

// Save as: the dialog; its filter chooses the format (JPEG at quality 100). A failed save is reported.
// NOTE: image n is made current for the save only; a command run during the dialog may have made
//       another image current, and that stays so.
bool save_command(int n, HWND w, int) {
    wchar_t name[MAX_PATH];
    if (save_file_dialog(name) != 0) return false;
    static const int format_of_filter[] = {-1, 0, 0, 1, 2, 3, 4};
    int filter = save_dialog_filter();
    if (filter < 1 || filter > 6 || !image_shown_in(n, w)) return false;
    int saved_quality = vrx_jpeg_quality, saved_current = vrx_current_image;
    vrx_jpeg_quality = 100;
    vrx_current_image = n;
    int status = save_image_file_wide(vrx_images[n].width, vrx_images[n].height, format_of_filter[filter], name);
    vrx_current_image = saved_current;
    vrx_jpeg_quality = saved_quality;
    if (status != 0) MessageBoxW(nullptr, L"Can't save image file!", L"Error", MB_OK);
    return true;
}

// Destroy: closes the image
bool destroy_command(int n, HWND, int) { return VRX_DestroyImage(n) == 0; }

// Zoom: 50%, Zoom:100%, Zoom:200%
bool zoom_command(int n, HWND, int zoom) { return VRX_SetZoom(n, zoom) == 0; }

// Prints a prompt about image n into text window 0 and reads a number; false when the line input ended
// from outside
static bool prompt_number(const char *prompt, int n, int *value) {
    VRX_OpenTextWindow(0, -1, -1, -1, -1);
    char answer[256];
    if (console_ask(answer, prompt, n) != CONSOLE_ENTER) return false;
    *value = parse_number(answer);
    return true;
}

// Zoom...: the zoom typed in the console
bool zoom_prompt_command(int n, HWND w, int) {
    int zoom;
    return prompt_number("[%d] Zoom(%%)=", n, &zoom) && image_shown_in(n, w) && VRX_SetZoom(n, zoom) == 0;
}

// Resize...: the new raster size typed in the console
bool resize_prompt_command(int n, HWND w, int) {
    int width, height;
    if (!prompt_number("[%d] New x-size(pixel)=", n, &width)) return false;
    if (!prompt_number("[%d] New y-size(pixel)=", n, &height)) return false;
    return image_shown_in(n, w) && VRX_ResizeImage(n, width, height) == 0;
}

// Copy: the image onto the clipboard
bool copy_command(int n, HWND, int) { return copy_image_to_clipboard(n) == 0; }

// Cut: the raster is cleared only once its copy is on the clipboard
bool cut_command(int n, HWND, int) {
    if (copy_image_to_clipboard(n) != 0) return false;
    clear_image(n);
    return true;
}

// Paste: at a clicked point, or at the top-left corner
bool paste_command(int n, HWND, int at_click) {
    paste_clipboard_image(n, at_click ? -1 : 0, at_click ? -1 : 0);
    return true;
}

// Clipping: a dragged rectangle of image n copied into the lowest free slot
bool clipping_command(int n, HWND window, int) {
    int x1, y1, x2, y2;
    if (wait_rectangle(n, &x1, &y1, &x2, &y2) != 0 || !image_shown_in(n, window)) return false;
    char title[64];
    snprintf(title, sizeof title, "(%d,%d)-(%d,%d)", x1, y1, x2, y2);
    int w = x2 - x1 + 1, h = y2 - y1 + 1, depth = vrx_images[n].depth;
    int u = create_in_lowest_free_slot(title, 0, 0, w, h, 100, depth);
    if (u < 0) return false;
    if (depth == 8) {
        RGBQUAD colours[256];
        GetDIBColorTable(vrx_images[n].memory_dc, 0, 256, colours);
        SetDIBColorTable(vrx_images[u].memory_dc, 0, 256, colours);
    }
    BitBlt(vrx_images[u].memory_dc, 0, 0, w, h, vrx_images[n].memory_dc, x1, y1, SRCCOPY);
    return true;
}
