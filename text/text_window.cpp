// text/text_window.cpp - the text window slots.
//
// NOTE: provisional: slots and an empty window class only; text windows are not opened yet.

#include "text/text_window.h"
#include "vrxlib.h"

TextWindowRecord vrx_text_windows[VRX_MAX_TEXT_WINDOWS];
int vrx_current_text_window;

// Empties the text window table and the last console line
void clear_text_tables(void) {
    for (TextWindowRecord &r : vrx_text_windows) r = TextWindowRecord{};
}

int VRX_OpenTextWindow(int, int, int, int, int) { return 1; }
void VRX_ShowConsole(void) {}
void VRX_Printf(const char *, ...) {}
void VRX_InputText(char *buffer) { buffer[0] = 0; }
void VRX_CloseLogs(void) {}

// Window procedure of class vrx_twi
LRESULT CALLBACK text_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, msg, wp, lp);
}
