// base/clock.cpp - the millisecond clock.
//
// Thread: any.

#include "base/clock.h"

#include <windows.h>

static double ms_per_tick = 1.0;

// Reads the performance counter's frequency
void clock_start(void) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ms_per_tick = 1000.0 / (double)frequency.QuadPart;
}

// Milliseconds from the performance counter, as a signed 32-bit value
int get_milliseconds(void) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (int)(long long)((double)now.QuadPart * ms_per_tick);
}
