// base/process.cpp - the process-wide state every floor reads, and VRX_Pause.
//
// Thread: any.

#include "base/process.h"

#include "base/text_convert.h"
#include "vrxlib.h"

HINSTANCE vrx_instance;
HWND vrx_main_window;
int vrx_color_bits;

std::atomic<int> vrx_start_request{0};
std::atomic<int> vrx_running{0};
std::atomic<int> vrx_stop{0};
std::atomic<int> vrx_quit{0};
std::atomic<int> vrx_waiting{0};

uint32_t vrx_draw_color = 0xFFFFFF;
uint32_t vrx_tc = 0x000000;
uint32_t vrx_tttc = 0xFFFFFF;

// True once Exit has been chosen
bool quitting(void) { return vrx_quit.load(std::memory_order_acquire) != 0; }

// True while the Ctrl key is held down
bool ctrl_held(void) { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

// Shows text in a message box titled "Pause" and waits for OK; blocks only the calling thread
void VRX_Pause(const char *text) {
    wchar_t wide[256];
    MessageBoxW(nullptr, narrow_to_wide(text, wide, 256), L"Pause", MB_OK);
}
