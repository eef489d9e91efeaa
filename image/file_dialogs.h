// image/file_dialogs.h - the load and save dialogs of the image window, with the folder and the filter each
// remembers from one use to the next.
//
// Thread: the worker thread.

#pragma once

#include <windows.h>

extern wchar_t vrx_load_folder_w[MAX_PATH];  // initial folder of the Load dialog
extern wchar_t vrx_save_folder_w[MAX_PATH];  // initial folder of the Save dialog

// Reads the current directory into both dialogs' folders and sets the filters back to BMP (start-up)
void file_dialogs_startup(void);
// The open dialog "Load image file"; 0 with the UTF-16 path in name (MAX_PATH units), 1 when cancelled
int load_file_dialog(wchar_t *name);
// The save dialog "Save as"; 0 with the UTF-16 path in name (MAX_PATH units), 1 when cancelled
int save_file_dialog(wchar_t *name);
// The save dialog's filter chosen last (1-based)
int save_dialog_filter(void);
