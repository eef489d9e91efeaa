// image/image_files.h - image files through GDI+ and the file dialogs.

#pragma once

#include <wchar.h>

extern int vrx_jpeg_quality;   // EncoderQuality of JPEG files, 100

// Draws the image file at a UTF-16 path into the current image at (x, y); 0, 1 unreadable, 2 no image
int load_image_file_wide(const wchar_t *path, int x, int y);
// The open dialog "Load image file"; 0 with the UTF-16 path in name (MAX_PATH units), 1 when cancelled
int load_file_dialog(wchar_t *name);
// The save dialog "Save as"; 0 with the path in name (260 bytes), 1 when cancelled
int save_file_dialog(char *name);
// The save dialog's filter chosen last (1-based)
int save_dialog_filter(void);
