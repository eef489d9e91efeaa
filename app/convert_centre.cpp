// app/convert_centre.cpp - quarvex's user routine: the stereo pair centred in a double-width canvas.
//
// NOTE: provisional: the conversion is not built yet; Start runs an empty routine.

#include "vrxlib.h"

// Start runs this on the worker thread
int user_routine(void) { return 0; }
