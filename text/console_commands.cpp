// text/console_commands.cpp - VRX_RunCommand: one console command typed after "Cmd>".
//
// Thread: the worker thread.

#include "base/command_ids.h"
#include "base/process.h"
#include "text/console.h"
#include "text/text_window.h"
#include "vrxlib.h"

#include <cstring>

// Prompts "Cmd>" and obeys one console command; 0 known, 1 unknown
int VRX_RunCommand(void) {
    char line[256];
    console_ask(line, "Cmd>");
    if (strcmp(line, "exit") == 0) {
        PostMessageW(vrx_main_window, WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(1);
        return 0;
    }
    if (strcmp(line, "start") == 0) {
        PostMessageW(vrx_main_window, WM_KEYDOWN, 'S', 0);
        return 0;
    }
    if (strcmp(line, "help") == 0) {
        VRX_Printf("Command list:exit help start ver color\n");
        return 0;
    }
    if (strcmp(line, "ver") == 0) {
        if (text_window_open(vrx_current_text_window))
            PostMessageW(vrx_text_windows[vrx_current_text_window].window, WM_COMMAND, IDM_TW_ABOUT, 0);
        return 0;
    }
    if (strcmp(line, "color") == 0) {
        VRX_Printf("Red  :%3d\n", (int)((vrx_draw_color >> 16) & 0xFF));
        VRX_Printf("Green:%3d\n", (int)((vrx_draw_color >> 8) & 0xFF));
        VRX_Printf("Blue :%3d\n", (int)(vrx_draw_color & 0xFF));
        VRX_Printf("vrx_tttc=%06x\n", vrx_tttc);
        VRX_Printf("vrx_tc=%06x\n", (unsigned int)vrx_tc);
        return 0;
    }
    VRX_Printf("Invalid command\n");
    return 1;
}
