// text/log_file.cpp - the log file of each text window number: "%sVRXLIB%d.LOG" in the start-up folder.
//
// Thread: the worker thread, and the main thread for its prompts' output and at Exit.
// NOTE: every write is flushed at once, so what was logged is on disk even when the worker is
//       terminated. A stream is marked busy while a call works on it; after a termination a busy stream
//       may have its lock held by the dead thread and is not touched again.

#include "text/log_file.h"

#include "base/clipboard.h"
#include "base/text_convert.h"
#include "text/text_window.h"
#include "vrxlib.h"

#include <atomic>
#include <cstdio>
#include <cstring>

static int log_states[VRX_MAX_TEXT_WINDOWS];     // 0 none, 1 logging, 2 stopped
static FILE *log_files[VRX_MAX_TEXT_WINDOWS];
static std::atomic<int> log_busy[VRX_MAX_TEXT_WINDOWS];   // calls working on the stream right now

// Marks log n busy for the life of the guard
struct LogInUse {
    int n;
    explicit LogInUse(int number) : n(number) { log_busy[n].fetch_add(1, std::memory_order_acq_rel); }
    ~LogInUse() { log_busy[n].fetch_sub(1, std::memory_order_acq_rel); }
};
char vrx_log_folder[MAX_PATH];

// Reads the start-up folder the logs go to and forgets every log state
void logs_startup(void) {
    wchar_t wide[MAX_PATH] = L"";
    DWORD length = GetCurrentDirectoryW(MAX_PATH, wide);
    if (length >= MAX_PATH) length = 0, wide[0] = 0;
    if (length > 0 && length + 1 < MAX_PATH && wide[length - 1] != L'\\') {
        wide[length] = L'\\';
        wide[length + 1] = 0;
    }
    wide_to_narrow(wide, vrx_log_folder, MAX_PATH);
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++) {
        log_states[n] = 0;
        log_files[n] = nullptr;
    }
}

// Builds n's log file name; false when it does not fit
static bool log_name(int n, char *name, int size) {
    int length = snprintf(name, (size_t)size, "%sVRXLIB%d.LOG", vrx_log_folder, n);
    return length > 0 && length < size;
}

// Log state of window number n: 0 none, 1 logging, 2 stopped
int log_state(int n) { return n >= 0 && n < VRX_MAX_TEXT_WINDOWS ? log_states[n] : 0; }

// Writes narrow text to n's log while it is logging
void log_write(int n, const char *text) {
    if (log_state(n) != 1 || !log_files[n]) return;
    LogInUse in_use(n);
    fputs(text, log_files[n]);
    fflush(log_files[n]);
}

// Starts or resumes the log of text window n; 0 started, 1 already, 2 no file, 3 no window
int VRX_StartLog(int n) {
    if (!text_window_open(n)) return 3;
    if (log_states[n] == 1) return 1;
    if (log_states[n] == 2 && log_files[n]) {
        log_states[n] = 1;
        return 0;
    }
    char name[520];
    LogInUse in_use(n);
    FILE *f = log_name(n, name, sizeof name) ? fopen(name, "wt") : nullptr;
    if (!f) {
        log_states[n] = 0;
        MessageBoxW(nullptr, L"Can't create file for LOG!", L"Error", MB_OK);
        return 2;
    }
    log_files[n] = f;
    log_states[n] = 1;
    return 0;
}

// Pauses the log of text window n; 0 stopped, 1 no log, 2 no window
int VRX_StopLog(int n) {
    if (!text_window_open(n)) return 2;
    if (log_states[n] == 0) return 1;
    log_states[n] = 2;
    return 0;
}

// Closes log n's file and forgets its state
static void close_log(int n) {
    if (log_files[n]) fclose(log_files[n]);
    log_files[n] = nullptr;
    log_states[n] = 0;
}

// Closes the logs of the text windows that are open; a closed window's log stays as it is, for a window
// opened later under its number
void VRX_CloseLogs(void) {
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++)
        if (text_window_open(n)) close_log(n);
}

// Closes every log file, also those of closed windows (Exit, once the worker has stopped)
void close_all_logs(void) {
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++) close_log(n);
}

// Flushes every open log no call was working on, after the worker was terminated; closes nothing
// NOTE: a stream the dead thread was working on may be locked for good; it is left alone (its earlier
//       writes are on disk already).
void flush_logs_after_termination(void) {
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++)
        if (log_files[n] && log_busy[n].load(std::memory_order_acquire) == 0) fflush(log_files[n]);
}

// Reads the whole file into a new movable global block with a terminating zero; 0, 2 when its size
// cannot be read, 3 when no block can hold it
static int read_into_block(FILE *f, HGLOBAL *out) {
    *out = nullptr;
    if (_fseeki64(f, 0, SEEK_END) != 0) return 2;
    long long size = _ftelli64(f);   // logs may pass 2 GB
    if (size < 0) return 2;
    if ((unsigned long long)size >= (SIZE_T)-1) return 3;
    rewind(f);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (SIZE_T)size + 1);
    char *bytes = block ? (char *)GlobalLock(block) : nullptr;
    if (!bytes) {
        if (block) GlobalFree(block);
        return 3;
    }
    size_t got = fread(bytes, 1, (size_t)size, f);
    bytes[got] = 0;
    GlobalUnlock(block);
    *out = block;
    return 0;
}

// Copies n's log file to the clipboard as ANSI text; 0 copied, 1 clipboard, 2 no file, 3 memory, 4 no window
// NOTE: the text is read before the clipboard is opened and emptied, so a failure leaves the clipboard
//       as it was; messages are shown with the clipboard closed. A log that cannot be reopened after the
//       copy is switched off and the person is told.
int VRX_CopyLog(int n) {
    if (!text_window_open(n)) return 4;
    LogInUse in_use(n);
    if (log_files[n]) {   // everything written so far goes to disk
        fclose(log_files[n]);
        log_files[n] = nullptr;
    }
    char name[520];
    bool named = log_name(n, name, sizeof name);
    FILE *f = named ? fopen(name, "rb") : nullptr;
    int result = 0;
    const char *message = nullptr;
    if (!f) {
        result = 2;
        message = "Can't open LOG file!";
    } else {
        HGLOBAL block;
        result = read_into_block(f, &block);
        fclose(f);
        if (result != 0) {
            message = result == 3 ? "No enough memory (copy log)" : "Can't open LOG file!";
        } else if (hand_block_to_clipboard(vrx_text_windows[n].window, CF_TEXT, block) != 0) {
            result = 1;   // not opened, or it refused the block (freed)
        }
    }
    if (message) VRX_Pause(message);
    if (log_states[n] != 0) {
        log_files[n] = named ? fopen(name, "at") : nullptr;
        if (!log_files[n]) {
            log_states[n] = 0;   // no file: logging is off, as the menu then shows
            VRX_Pause("Can't reopen LOG file!");
        }
    }
    return result;
}
