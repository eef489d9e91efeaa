// text/log_file.cpp - the log file of each text window number: "%sVRXLIB%d.LOG" in the start-up folder.
//
// Thread: the worker thread, and the main thread for its prompts' output and at Exit.

#include "text/log_file.h"

#include "base/clipboard.h"
#include "base/text_convert.h"
#include "text/text_window.h"
#include "vrxlib.h"

#include <cstdio>
#include <cstring>

static int log_states[VRX_MAX_TEXT_WINDOWS];     // 0 none, 1 logging, 2 stopped
static FILE *log_files[VRX_MAX_TEXT_WINDOWS];
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

// Closes the log file of every text window number
// NOTE: also the logs of numbers whose window is closed, so no stream is left open at exit.
void VRX_CloseLogs(void) {
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++) {
        if (log_files[n]) fclose(log_files[n]);
        log_files[n] = nullptr;
        log_states[n] = 0;
    }
}

// Reads the whole file into a new movable global block with a terminating zero; null on failure
static HGLOBAL read_into_block(FILE *f, bool *no_memory) {
    fseek(f, 0, SEEK_END);
    long size = ftell(f);
    rewind(f);
    if (size < 0) size = 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (SIZE_T)size + 1);
    char *bytes = block ? (char *)GlobalLock(block) : nullptr;
    if (!bytes) {
        if (block) GlobalFree(block);
        *no_memory = true;
        return nullptr;
    }
    size_t got = fread(bytes, 1, (size_t)size, f);
    bytes[got] = 0;
    GlobalUnlock(block);
    return block;
}

// Copies n's log file to the clipboard as ANSI text; 0 copied, 1 clipboard, 2 no file, 3 memory, 4 no window
// NOTE: the clipboard is closed before a message is shown, and a block the clipboard refused is freed.
int VRX_CopyLog(int n) {
    if (!text_window_open(n)) return 4;
    if (!open_clipboard(vrx_text_windows[n].window)) return 1;
    if (log_states[n] != 0 && log_files[n]) {
        fclose(log_files[n]);
        log_files[n] = nullptr;
    }
    char name[520];
    FILE *f = log_name(n, name, sizeof name) ? fopen(name, "rb") : nullptr;
    int result = 0;
    const char *message = nullptr;
    if (!f) {
        result = 2;
        message = "Can't open LOG file!";
    } else {
        EmptyClipboard();
        bool no_memory = false;
        HGLOBAL block = read_into_block(f, &no_memory);
        if (!block) {
            result = 3;
            message = "No enough memory (copy log)";
        } else if (!SetClipboardData(CF_TEXT, block)) {
            GlobalFree(block);
            result = 1;
        }
        fclose(f);
    }
    CloseClipboard();
    if (message) VRX_Pause(message);
    if (log_states[n] != 0) {
        log_files[n] = log_name(n, name, sizeof name) ? fopen(name, "at") : nullptr;
        if (!log_files[n]) log_states[n] = 0;   // the file cannot be reopened: logging is off
    }
    return result;
}
