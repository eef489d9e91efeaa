// boxes/boxes.h - the one input box and the one button box.

#pragma once

#include <windows.h>

extern HWND vrx_input_box_window;    // 0 while no input box is open
extern HWND vrx_button_box_window;   // 0 while no button box is open

// Window procedure of class vrx_ib
LRESULT CALLBACK input_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Window procedure of class vrx_bb
LRESULT CALLBACK button_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
