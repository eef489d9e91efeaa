// tests/e2e/probe/pause_routine.cpp - the user routine of the test program vrx_pause_probe: it waits in
// a "Pause" box, so that Exit has to end a worker that does not return.
#include "vrxlib.h"

int user_routine(void) {
    VRX_Pause("probe");
    return 0;
}
