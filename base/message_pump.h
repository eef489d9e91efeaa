// base/message_pump.h - the one message pump of every nested wait (request waits, line input, point
// tools, the worker's loop).
//
// Thread: any; each thread pumps its own queue.

#pragma once

#include <windows.h>

// Dispatches the calling thread's queued messages; returns when the queue is empty
// NOTE: a quit message taken here belongs to the message loop of start-up, which a nested wait hides;
//       it is posted again and the pump returns.
void pump_messages(void);
// Makes dialog the window whose messages pass through dialog handling first (Tab, Enter), or none for null
void pump_set_dialog(HWND dialog);
