// host/entry.cpp - the Windows GUI entry point of both programs.
//
// Thread: the main thread.

#include "host/host.h"

// Ignores the command line and the show command; 1 when a window class cannot be registered
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return vrx_program_main(instance);
}
