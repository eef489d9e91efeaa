// host/modules.h - what the shell needs from the other subsystems: their window procedures, their
// tables (to find free numbers and to build the layout registry) and the procedures it calls on
// request or on a main window command.

#pragma once

#include <windows.h>

#include "boxes/boxes.h"
#include "image/image_table.h"
#include "image/image_transfer.h"
#include "text/text_window.h"

// Empties the image table, the image stack, the text window table and the last console line
void clear_toolkit_tables(void);

// Interactive creation from the main window's pop-up menu, prompting in text window 0
void interactive_create_image_window(void);
void interactive_create_input_box(void);
void interactive_create_button_box(void);
