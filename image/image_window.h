// image/image_window.h - the window procedure of image windows (class vrx_iw).
//
// Thread: the worker thread.

#pragma once

#include <windows.h>

// Window procedure of class vrx_iw
LRESULT CALLBACK image_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
