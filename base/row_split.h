// base/row_split.h - large pixel jobs shared by row between the calling thread and one helper thread.
//
// A job is a routine over rows first..last-1 of some raster or block; split_rows hands out bands of rows
// to the caller and to a persistent helper thread of the toolkit, so that both cores work on a large
// raster (fresh memory takes its page faults on both) and returns when every row is done. The helper
// only ever runs such jobs: it touches no window, DC or table of the toolkit.
//
// Thread: the worker thread (any thread, one job at a time; a second caller meanwhile does its job alone).

#pragma once

#include <stddef.h>

// A routine over rows first..last-1; called for disjoint bands, from two threads at once
typedef void (*RowJob)(void *context, int first, int last);

// Runs job over rows 0..rows-1 and returns when all are done: on both threads when the job touches at
// least about 4 MB (bytes), else on the calling thread alone
void split_rows(RowJob job, void *context, int rows, size_t bytes);
