// image/file_dialogs.cpp - the load and save dialogs of the image window, with the folder and the filter
// each remembers from one use to the next.
//
// Thread: the worker thread.

#include "image/file_dialogs.h"

#include <commdlg.h>

#include <cstring>

//----------------------------------------------------------------------------------
// Settings
//----------------------------------------------------------------------------------
wchar_t vrx_load_folder_w[MAX_PATH];
wchar_t vrx_save_folder_w[MAX_PATH];
static int load_filter_index = 2;
static int save_filter_index = 2;

//----------------------------------------------------------------------------------
// Dialogs
//----------------------------------------------------------------------------------

// The load dialog's filters, pairs of description and pattern ending in an empty pair
static const wchar_t load_filters[] =
    L"All Files (*.*)\0*.*\0BMP (*.BMP;*.RLE;*.DIB)\0*.BMP;*.RLE;*.DIB\0JPEG (*.JPG;*.JPEG;*.JPE)\0"
    L"*.JPG;*.JPEG;*.JPE\0CompuServe GIF (*.GIF)\0*.GIF\0PNG (*.PNG)\0*.PNG\0TIFF (*.TIF;*.TIFF)\0"
    L"*.TIF;*.TIFF\0WMF (*.WMF)\0*.WMF\0EMF (*.EMF)\0*.EMF\0ICO (*.ICO)\0*.ICO\0";
static const wchar_t *load_patterns[] = {L"*.*", L"*.BMP;*.RLE;*.DIB", L"*.JPG;*.JPEG;*.JPE", L"*.GIF",
                                         L"*.PNG", L"*.TIF;*.TIFF", L"*.WMF", L"*.EMF", L"*.ICO"};
// The save dialog offers the first six
static const wchar_t save_filters[] =
    L"All Files (*.*)\0*.*\0BMP (*.BMP;*.RLE;*.DIB)\0*.BMP;*.RLE;*.DIB\0JPEG (*.JPG;*.JPEG;*.JPE)\0"
    L"*.JPG;*.JPEG;*.JPE\0CompuServe GIF (*.GIF)\0*.GIF\0PNG (*.PNG)\0*.PNG\0TIFF (*.TIF;*.TIFF)\0"
    L"*.TIF;*.TIFF\0";

// Reads the current directory into both dialogs' folders and sets the filters back to BMP
void file_dialogs_startup(void) {
    GetCurrentDirectoryW(MAX_PATH, vrx_load_folder_w);
    GetCurrentDirectoryW(MAX_PATH, vrx_save_folder_w);
    load_filter_index = save_filter_index = 2;
}

// Remembers the folder of a chosen file
static void remember_folder(const wchar_t *file, wchar_t *folder_w) {
    wchar_t full[MAX_PATH];
    if (!GetFullPathNameW(file, MAX_PATH, full, nullptr)) return;
    wchar_t *slash = wcsrchr(full, L'\\');
    if (slash) slash[1] = 0;
    wcsncpy(folder_w, full, MAX_PATH - 1);
    folder_w[MAX_PATH - 1] = 0;
}

// Runs one file dialog; 0 with the chosen UTF-16 path in file (MAX_PATH units), 1 when cancelled
static int file_dialog(bool save, wchar_t *file) {
    file[0] = 0;
    wchar_t *folder_w = save ? vrx_save_folder_w : vrx_load_folder_w;
    int &index = save ? save_filter_index : load_filter_index;
    if (save) wcscpy(file, L"noname");
    else wcscpy(file, load_patterns[(index >= 1 && index <= 9) ? index - 1 : 0]);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    ofn.lpstrFilter = save ? save_filters : load_filters;
    ofn.nFilterIndex = (DWORD)index;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder_w;
    ofn.lpstrTitle = save ? L"Save as" : L"Load image file";
    ofn.Flags = save ? (OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST)
                     : (OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen) return 1;
    index = (int)ofn.nFilterIndex;
    remember_folder(file, folder_w);
    return 0;
}

// The open dialog "Load image file"; 0 with the UTF-16 path in name, 1 when cancelled
// NOTE: the paths and folders stay UTF-16, so files and folders whose names the ANSI code page cannot
//       spell are loaded, saved and remembered too.
int load_file_dialog(wchar_t *name) { return file_dialog(false, name); }
// The save dialog "Save as"; 0 with the UTF-16 path in name, 1 when cancelled
int save_file_dialog(wchar_t *name) { return file_dialog(true, name); }
// The save dialog's filter chosen last (1-based)
int save_dialog_filter(void) { return save_filter_index; }
