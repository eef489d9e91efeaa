// base/clock.h - the millisecond clock of every timing in the toolkit (animation, Exit wait, caret).
//
// Thread: any.

#pragma once

// Reads the performance counter's frequency; called once at start-up before any timing
void clock_start(void);
// Milliseconds from the performance counter, as a signed 32-bit value
int get_milliseconds(void);
