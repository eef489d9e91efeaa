// image/key_map.cpp - key mapping, zoom steps and mouse coordinates of image windows.
//
// Thread: any.

#include "image/key_map.h"

#include "base/command_ids.h"

// The command a Ctrl shortcut posts, or 0
static int shortcut_command(unsigned vk) {
    switch (vk) {
    case 'X': return IDM_CUT;
    case 'C': return IDM_COPY;
    case 'V': return IDM_PASTE_TOP_LEFT;
    case 'Q': return IDM_DESTROY;
    case 'R': return IDM_CLIPPING;
    }
    return 0;
}

// The action of virtual key vk; *command receives the command of IMAGE_KEY_POST_COMMAND
ImageKeyAction image_key_action(unsigned vk, bool ctrl, bool waiting, bool input_pending, int *command) {
    *command = 0;
    if (waiting) return IMAGE_KEY_NOTHING;   // a point tool owns the mouse and the keys
    if (ctrl) {
        int posted = shortcut_command(vk);
        if (posted) {
            if (input_pending) return IMAGE_KEY_NOTHING;   // the command could not start anyway
            *command = posted;
            return IMAGE_KEY_POST_COMMAND;
        }
        switch (vk) {
        case IMAGE_VK_ADD: return IMAGE_KEY_ZOOM_IN;
        case IMAGE_VK_SUBTRACT: return IMAGE_KEY_ZOOM_OUT;
        case IMAGE_VK_NUMPAD0: return IMAGE_KEY_ZOOM_100;
        }
        // Any other key with Ctrl is taken as without it.
    }
    switch (vk) {
    case 'X':
    case 'S':
    case 'C':
    case IMAGE_VK_ESCAPE: return IMAGE_KEY_FORWARD_MAIN;
    case IMAGE_VK_TAB: return IMAGE_KEY_TOGGLE_STRETCH;
    }
    return IMAGE_KEY_NOTHING;
}

// The action of a wheel turn: zoom in towards the person, out away from the person, only with Ctrl
ImageKeyAction image_wheel_action(int delta, bool ctrl) {
    if (!ctrl || delta == 0) return IMAGE_KEY_NOTHING;
    return delta < 0 ? IMAGE_KEY_ZOOM_IN : IMAGE_KEY_ZOOM_OUT;
}

// True when a command may start: neither a point tool nor a line input waits
bool image_command_may_start(bool waiting, bool input_pending) { return !waiting && !input_pending; }

// One zoom step up: (zoom * 10 + 4) / 9, and at least one more than zoom
// NOTE: the formula alone leaves zooms 1..4 where they are; the step always grows by at least 1.
int zoom_step_in(int zoom) {
    long long next = ((long long)zoom * 10 + 4) / 9;
    if (next <= zoom) next = (long long)zoom + 1;
    return next > 0x7FFFFFFF ? 0x7FFFFFFF : (int)next;
}

// One zoom step down: (zoom * 9 + 5) / 10, at least one less than zoom and never below 1
// NOTE: the formula alone leaves zooms 1..5 where they are; like the step in, the step out always moves.
int zoom_step_out(int zoom) {
    long long next = ((long long)zoom * 9 + 5) / 10;
    if (next >= zoom) next = (long long)zoom - 1;
    return next < 1 ? 1 : (int)next;
}

// The image coordinate of a mouse position word (taken as unsigned 16 bits) at zoom percent
int mouse_to_image(unsigned word, int zoom) {
    if (zoom <= 0) return 0;
    return (int)((long long)(word & 0xFFFF) * 100 / zoom);
}
