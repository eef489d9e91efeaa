// image/key_map.h - what a key or a mouse position means in an image window.
//
// Windows-free: the window procedure asks here which action a key stands for and where a mouse
// position lies on the image, then carries the action out. Thread: any.

#pragma once

//----------------------------------------------------------------------------------
// Types
//----------------------------------------------------------------------------------
enum ImageKeyAction {
    IMAGE_KEY_NOTHING,
    IMAGE_KEY_POST_COMMAND,    // post the command to the window itself (runs after the key handler)
    IMAGE_KEY_ZOOM_IN,         // one zoom step up
    IMAGE_KEY_ZOOM_OUT,        // one zoom step down
    IMAGE_KEY_ZOOM_100,        // back to 100 %
    IMAGE_KEY_FORWARD_MAIN,    // post the same key to the main window (Exit, Start, Stop)
    IMAGE_KEY_TOGGLE_STRETCH,  // switch between COLORONCOLOR and HALFTONE
};

// The virtual keys the mapping knows (values of the window system)
enum {
    IMAGE_VK_TAB = 0x09, IMAGE_VK_ESCAPE = 0x1B, IMAGE_VK_NUMPAD0 = 0x60,
    IMAGE_VK_ADD = 0x6B, IMAGE_VK_SUBTRACT = 0x6D,
};

//----------------------------------------------------------------------------------
// Functions
//----------------------------------------------------------------------------------

// The action of virtual key vk with Ctrl held or not, while a point tool waits or a text window reads
// a line (input_pending) or neither; *command receives the command of IMAGE_KEY_POST_COMMAND
// NOTE: while a line is read the Ctrl shortcuts post nothing; zoom, Tab and the forwarded keys still work
ImageKeyAction image_key_action(unsigned vk, bool ctrl, bool waiting, bool input_pending, int *command);
// The action of a wheel turn of delta with Ctrl held or not: towards the person (negative) zooms in
ImageKeyAction image_wheel_action(int delta, bool ctrl);
// True when a command posted to or chosen in an image window may start now: no point tool waits and
// no text window reads a line (a command started inside those waits would run in their message pump)
bool image_command_may_start(bool waiting, bool input_pending);
// One zoom step up: (zoom * 10 + 4) / 9, and at least one more than zoom
int zoom_step_in(int zoom);
// One zoom step down: (zoom * 9 + 5) / 10, at least one less than zoom and never below 1
int zoom_step_out(int zoom);
// The image coordinate of a mouse position word (taken as unsigned 16 bits) at zoom percent
int mouse_to_image(unsigned word, int zoom);
