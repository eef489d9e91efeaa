// image/commands/color_dialog.cpp - the colour dialog of the image window menu.
//
// Thread: the worker thread.

#include "image/commands/color_dialog.h"

#include "base/process.h"

COLORREF vrx_custom_colors[16];

// Sets the 16 custom colours back to 0
void clear_custom_colors(void) {
    for (COLORREF &c : vrx_custom_colors) c = 0;
}

#include <commdlg.h>
#include <string.h>

// A 0x00RRGGBB colour as a COLORREF, or a COLORREF as 0x00RRGGBB
COLORREF swap_red_blue(unsigned int c) {
    return (COLORREF)(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}

// Opens the colour dialog; 0 chosen, 1 cancelled
int choose_drawing_color(HWND owner) {
    COLORREF custom[16];
    memcpy(custom, vrx_custom_colors, sizeof custom);
    CHOOSECOLORW cc;
    memset(&cc, 0, sizeof cc);
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = swap_red_blue(vrx_draw_color);
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&cc)) return 1;
    memcpy(vrx_custom_colors, custom, sizeof custom);
    unsigned int chosen = (unsigned int)swap_red_blue((unsigned int)cc.rgbResult);
    vrx_draw_color = chosen;
    vrx_tttc = chosen;
    vrx_tc = chosen;
    return 0;
}
