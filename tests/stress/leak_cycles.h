// tests/stress/leak_cycles.h - the create/draw/destroy cycle of the leak tests and the yardsticks they
// read: private memory, GDI object creation, and a GDI table filled up to a small headroom.
//
// NOTE: Wine counts no GUI objects (GetGuiResources gives 0), so a leak is made visible by the table
//       itself: the test first fills the process's GDI table, keeps only a few hundred places free, and
//       a cycle that leaks one object uses them up within a few hundred cycles.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The scratch files a cycle writes and reads back (ANSI paths in the temporary folder)
struct CycleFiles {
    std::string bmp, png;
};

// The scratch file names of this process
CycleFiles cycle_files(void);
// Removes the scratch files
void remove_cycle_files(const CycleFiles &files);
// One cycle: image windows of 8 and 32 bits drawn, zoomed, copied, pasted, saved, loaded and destroyed,
// a text window, both boxes and the image menus on the worker thread; then a paste and a drop on the
// main window. Runs on the main thread while the worker is idle; the number of steps that failed
int run_leak_cycle(int i, const CycleFiles &files);
// The private memory of this process in bytes
SIZE_T private_bytes(void);
// True when running under Wine
bool under_wine(void);
// Creates count each of memory DCs, bitmaps, fonts, brushes and regions, then deletes them; true when
// every creation succeeded
bool gdi_creation_works(int count);
// GDI and USER objects this process holds (Windows only; Wine answers 0)
DWORD gui_objects(DWORD kind);

// GDI objects held to fill the table
struct GdiFill {
    std::vector<HGDIOBJ> held;
};
// Creates regions until the GDI table is full, then frees headroom of them again; false when the table
// could not be filled (no limit reached)
bool fill_gdi_table(GdiFill *fill, int headroom);
// Frees every held object
void release_gdi_fill(GdiFill *fill);
// The number of GDI objects that can still be made (counted by making regions, then deleted), at most
// limit
int gdi_free_places(int limit);

// What a run of cycles measured
struct LeakRun {
    bool filled = false;          // the GDI table was filled to the headroom
    int cycles = 0;               // cycles run
    int failed_steps = 0;         // steps of all cycles that failed
    int first_failed_cycle = -1;  // the first cycle with a failed step
    SIZE_T memory_at_baseline = 0, memory_at_end = 0;   // private bytes
    DWORD gdi_at_baseline = 0, gdi_at_end = 0;           // GetGuiResources, Windows only
    DWORD user_at_baseline = 0, user_at_end = 0;
    bool gdi_works_at_end = false;                       // gdi_creation_works with the fill still held
    int free_at_baseline = 0, free_at_end = 0;           // gdi_free_places with the fill held
};
// Fills the GDI table to headroom free places, runs cycles (the yardsticks read after baseline cycles
// and at the end), checks GDI creation, frees the fill; needs a started toolkit
LeakRun run_leak_cycles(int cycles, int baseline, int headroom);
// Expects a run without failed steps, with GDI creation still working, the free GDI places and the
// private memory (at most 5 % more) as they were after the baseline cycles, and on Windows flat counts
void expect_no_leak(const LeakRun &run);
