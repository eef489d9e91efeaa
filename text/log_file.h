// text/log_file.h - the log file of each text window number, "%sVRXLIB%d.LOG" in the start-up folder.
//
// Thread: the worker thread, and the main thread for its prompts' output and at Exit.

#pragma once

extern char vrx_log_folder[260];   // the folder of the log files, with its trailing backslash (ANSI code page)

// Reads the start-up folder the logs go to and forgets every log state
void logs_startup(void);
// Log state of window number n: 0 none, 1 logging, 2 stopped
int log_state(int n);
// Writes narrow text to n's log while it is logging
void log_write(int n, const char *text);
// Closes every log file, also those of closed windows (Exit, once the worker has stopped)
void close_all_logs(void);
// Flushes every open log no call was working on, after the worker was terminated; closes nothing
void flush_logs_after_termination(void);
