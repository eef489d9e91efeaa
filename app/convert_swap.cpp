// app/convert_swap.cpp - quarvex-swap's user routine: the halves of the stereo pair exchanged.
//
// NOTE: provisional: the conversion is not built yet; Start runs an empty routine.

#include "vrxlib.h"

// Start runs this on the worker thread
int user_routine(void) { return 0; }
