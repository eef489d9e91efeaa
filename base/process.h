// base/process.h - the process-wide state every floor reads: the program instance, the main window, the
// screen's colour depth, the shell flags, the click-wait flag and the drawing colours; and VRX_Pause.
//
// Thread: any. The flags are written by the threads named beside them, with release, and read with
// acquire; the drawing colours belong to the worker thread.

#pragma once

#include <windows.h>

#include <atomic>
#include <stdint.h>

//----------------------------------------------------------------------------------
// The program and its main window (set by host/ at start-up)
//----------------------------------------------------------------------------------
extern HINSTANCE vrx_instance;               // the instance every toolkit window is created with
extern HWND vrx_main_window;                 // owner of the toolkit's windows; null once Exit destroyed it
extern int vrx_color_bits;                   // screen colour depth, measured when the main window is made

//----------------------------------------------------------------------------------
// Shell flags
//----------------------------------------------------------------------------------
extern std::atomic<int> vrx_start_request;   // 1: Start chosen, the worker has not taken it yet (main sets)
extern std::atomic<int> vrx_running;         // 1: the user routine runs on the worker thread (worker sets)
extern std::atomic<int> vrx_stop;            // 1: Stop chosen; point tools give up (main sets)
extern std::atomic<int> vrx_quit;            // 0 running, 1 quit requested, 2 worker finished
extern std::atomic<int> vrx_waiting;         // 1 while a point tool waits for clicks (worker sets)

// True once Exit has been chosen
bool quitting(void);
// True while the Ctrl key is held down
bool ctrl_held(void);

//----------------------------------------------------------------------------------
// Drawing colours (worker thread; the console's "color" command prints them)
//----------------------------------------------------------------------------------
extern uint32_t vrx_draw_color;              // lines, boxes, circles, discs and fills; 0xFFFFFF at start
// NOTE: the two text colours are user routines' variables too (vrxlib.h), so they have C linkage.
extern "C" uint32_t vrx_tc;                  // text in the built-in bitmap font; 0x000000 at start
extern "C" uint32_t vrx_tttc;                // TrueType text; 0xFFFFFF at start
