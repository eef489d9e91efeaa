// base/message_pump.cpp - the one message pump of every nested wait.
//
// Thread: any; each thread pumps its own queue.

#include "base/message_pump.h"

#include <atomic>

// The input box's window: its keys go through IsDialogMessageW (set on the worker, read by both threads)
static std::atomic<HWND> dialog_window{nullptr};

// Makes dialog the window whose messages pass through dialog handling first
void pump_set_dialog(HWND dialog) { dialog_window.store(dialog, std::memory_order_release); }

// Dispatches the calling thread's queued messages; returns when the queue is empty
void pump_messages(void) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage((int)msg.wParam);
            return;
        }
        HWND dialog = dialog_window.load(std::memory_order_acquire);
        if (dialog && IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
