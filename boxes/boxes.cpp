// boxes/boxes.cpp - the input box and the button box.
//
// NOTE: provisional: empty window classes only; the boxes are not opened yet.

#include "boxes/boxes.h"
#include "vrxlib.h"

HWND vrx_input_box_window;
HWND vrx_button_box_window;

void VRX_OpenInputBox(int, int, int) {}
void VRX_CloseInputBox(void) {}
void VRX_OpenButtonBox(int, int, int, int) {}
void VRX_CloseButtonBox(void) {}

// Window procedure of class vrx_ib
LRESULT CALLBACK input_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, msg, wp, lp);
}

// Window procedure of class vrx_bb
LRESULT CALLBACK button_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, msg, wp, lp);
}
