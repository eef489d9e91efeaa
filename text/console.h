// text/console.h - the console's line input: the one way every prompt of the toolkit asks and reads an
// answer, the input owner and the keys the text windows feed it.
//
// Thread: the thread that asks (the worker, or the main thread for the main window's prompts); keys
// arrive from the text window procedure on the worker thread.

#pragma once

#include <windows.h>

#include <atomic>

extern std::atomic<int> vrx_input_owner;   // 0, or the waiting text window's number plus one

// How a line input ended
enum ConsoleEnd {
    CONSOLE_ENTER = 0,    // the person pressed Enter: the answer holds the line
    CONSOLE_CLOSED = 1,   // the reading window was closed, or none was open: the answer is empty
    CONSOLE_EXIT = 2,     // Exit was chosen while it waited: the answer is empty
    CONSOLE_BUSY = 3,     // another line input was waiting: nothing printed, the answer is empty
};

// Prints the printf-formatted prompt in the current text window and reads the typed line into answer
// (256 bytes); returns how the input ended, and each caller decides what an end means for it
// NOTE: only one line input runs at a time: while another waits it prints nothing, says so on the
//       status line and returns CONSOLE_BUSY at once
int console_ask(char answer[256], const char *format, ...);
// True while a line input waits in some text window
bool console_input_waiting(void);

// Empties the keyboard ring, the recall request and the last line
void clear_console_input(void);
// Character message of any text window: feeds a waiting line input
void console_feed_char(wchar_t unit);
// Key down of any text window while a line input waits: Up arrow recalls, Ctrl+V pastes
void console_key_down(UINT key);
