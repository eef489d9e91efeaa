// text/key_ring.h - the keyboard ring every text window feeds while a line input waits.
//
// Windows-free. Thread: any (no state of its own).

#pragma once

#include <cstdint>

//----------------------------------------------------------------------------------
// Keyboard ring
//----------------------------------------------------------------------------------
#define KEY_RING_SIZE 256

// 256 typed units; read is -1 while empty, write == read while full
struct KeyRing {
    uint16_t units[KEY_RING_SIZE];
    int write;
    int read;
};

// Empties the ring
void key_ring_reset(KeyRing *r);
// Appends one unit; 0 stored, 1 dropped because the ring is full
int key_ring_push(KeyRing *r, uint16_t unit);
// Takes the oldest unit; 0 when the ring is empty
uint16_t key_ring_pop(KeyRing *r);
