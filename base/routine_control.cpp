// base/routine_control.cpp - what a long user routine needs to stay a good citizen: the stop request as a
// call, and keeping the windows answering while it computes or waits.
//
// Thread: the worker thread, which runs the user routine; VRX_GetStopRequest from any thread.

#include "base/clock.h"
#include "base/message_pump.h"
#include "base/process.h"
#include "vrxlib.h"

#include <windows.h>

// 1 once Stop or Exit was chosen while the routine runs, else 0
int VRX_GetStopRequest(void) {
    return vrx_stop.load(std::memory_order_acquire) != 0 || vrx_quit.load(std::memory_order_acquire) != 0;
}

// Dispatches what waits in the worker thread's queue and returns
void VRX_PumpMessages(void) { pump_messages(); }

// Waits ms milliseconds with the windows answering; VRX_OK, or VRX_WAIT_STOPPED as soon as a stop comes
// NOTE: Stop and Exit raise a flag without a message to this thread, so the wait wakes at least every
//       10 ms to look at it, and at once for a message.
int VRX_WaitTime(int ms) {
    int start = get_milliseconds();
    for (;;) {
        pump_messages();
        if (VRX_GetStopRequest()) return VRX_WAIT_STOPPED;
        int left = ms - (get_milliseconds() - start);
        if (left <= 0) return VRX_OK;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, (DWORD)(left < 10 ? left : 10), QS_ALLINPUT);
    }
}
