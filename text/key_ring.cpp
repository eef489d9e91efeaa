// text/key_ring.cpp - the keyboard ring every text window feeds while a line input waits.
//
// Thread: any (no state of its own; the console input guards its ring).

#include "text/key_ring.h"

//----------------------------------------------------------------------------------
// Keyboard ring
//----------------------------------------------------------------------------------

// Empties the ring
void key_ring_reset(KeyRing *r) {
    r->write = 0;
    r->read = -1;
}

// Appends one unit; 0 stored, 1 dropped because the ring is full
int key_ring_push(KeyRing *r, uint16_t unit) {
    if (r->write == r->read) return 1;
    r->units[r->write] = unit;
    if (r->read < 0) r->read = r->write;
    r->write = (r->write + 1) % KEY_RING_SIZE;
    return 0;
}

// Takes the oldest unit; 0 when the ring is empty
uint16_t key_ring_pop(KeyRing *r) {
    if (r->read < 0) return 0;
    uint16_t u = r->units[r->read];
    r->read = (r->read + 1) % KEY_RING_SIZE;
    if (r->read == r->write) r->read = -1;
    return u;
}
